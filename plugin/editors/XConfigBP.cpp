#include "XConfigBP.h"

#include "host/core/BasicNumber.h"
#include "host/core/Variant.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/tests/bp/INB4410ConfigBP.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace nb4410 {

XConfigBP::XConfigBP(QWidget* parent)
    : XConfigEditor(parent),
      m_fraParams(new QGroupBox(this)),
      m_fraSettings(new QGroupBox(this))
{
    m_fraParams->setObjectName(QStringLiteral("fraParams"));
    m_fraSettings->setObjectName(QStringLiteral("fraSettings"));
}

void XConfigBP::Initialize(const ostrel::Variant& data)
{
    showConfiguration([&] {
        m_holder = data.toObject();
        m_configuration = dynamic_cast<INB4410ConfigBP*>(m_holder.get());
        if (!m_configuration) {
            m_holder.reset();
            clearShown();
            return;
        }
        showHeld();
        m_testGuideConfig->SetSettings(m_configuration->TestGuideConfig());
    });
}

QString XConfigBP::valueText(const char* key, const char* format) const
{
    const ostrel::Variant value =
        m_configuration ? m_configuration->RetrievePresetValue(QLatin1String(key)) : ostrel::Variant();
    return value.isEmpty() ? QString() : ostrel::formatNumber(value.val(), QLatin1String(format));
}

void XConfigBP::layOut(QWidget* middle)
{
    auto* settings = new QVBoxLayout(m_fraSettings);
    settings->addWidget(m_testGuideConfig);

    auto* layout = new QGridLayout(this);
    int row = 0;
    layout->addWidget(m_fraParams, row, 0);
    layout->addWidget(m_help, row++, 1);
    if (middle)
        layout->addWidget(middle, row++, 0, 1, 2);
    layout->addWidget(m_fraSettings, row++, 0, 1, 2);
    layout->setRowStretch(row, 1);
}

} // namespace nb4410
