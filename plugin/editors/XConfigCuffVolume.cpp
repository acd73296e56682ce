#include "XConfigCuffVolume.h"

#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/TestGuideSettings.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/guide/INB4410TestGuideConfig.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigCuffVolume", XConfigCuffVolume)

using ostrel::runStep;

XConfigCuffVolume::XConfigCuffVolume(QWidget* parent)
    : XConfigEditor(parent),
      m_fraSettings(new QGroupBox(this))
{
    makeHelp(QStringLiteral("20294::The instrument measures the volume of the attached cuff; the "
                            "test has no settings of its own."), QStringLiteral("xhtHelpText"));
    makeTestGuideSettings(m_fraSettings);
    m_fraSettings->setObjectName(QStringLiteral("fraSettings"));

    auto* frame = new QVBoxLayout(m_fraSettings);
    frame->addWidget(m_testGuideConfig);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_help);
    layout->addWidget(m_fraSettings);
    layout->addStretch(1);
}

void XConfigCuffVolume::Initialize(const ostrel::Variant& data)
{
    showConfiguration([&] {
        translate();
        m_configuration = data.as<INB4410TestGuideConfig>();
        if (!m_configuration) {
            SetLocked(true);
            return;
        }
        m_testGuideConfig->SetSettings(m_configuration->TestGuideConfig());
    });
}

void XConfigCuffVolume::SetFocus()
{
    runStep("focus", [&] { m_testGuideConfig->setFocus(); });
}

} // namespace nb4410
