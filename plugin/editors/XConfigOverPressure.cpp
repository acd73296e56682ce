#include "XConfigOverPressure.h"

#include "plugin/editors/CDigitsSlider.h"
#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/TestGuideSettings.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigOverPressure", XConfigOverPressure)

using ostrel::runStep;

QLineEdit* XConfigOverPressure::TextBox() const { return m_inflatePressure->TextBox(); }
QSlider* XConfigOverPressure::Slider() const { return m_inflatePressure->Slider(); }

XConfigOverPressure::XConfigOverPressure(QWidget* parent)
    : XConfigEditor(parent),
      m_fraSettings(new QGroupBox(this))
{
    makeHelp(QStringLiteral("20293::Inflate pressure 0 - 400 mmHg: the instrument inflates towards "
                            "it and records the peak pressure and whether the unit under test "
                            "releases."));
    makeTestGuideSettings(this);
    m_fraSettings->setObjectName(QStringLiteral("fraSettings"));

    auto* grid = new QGridLayout(m_fraSettings);
    const CDigitsSlider::Names names{QStringLiteral("lblInflatePressure"), QStringLiteral("txtInflatePressure"),
                                     QStringLiteral("sldInflatePressure")};
    m_inflatePressure = new CDigitsSlider(*this, *grid, 0, names, MConfigFields::EditorRow(CConfigOverPressure::Fields(), 0),
                                          [this] { valueTyped(); });
    grid->setColumnStretch(2, 1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_help, 0, 0);
    layout->addWidget(m_fraSettings, 1, 0);
    layout->addWidget(m_testGuideConfig, 2, 0);
    layout->setRowStretch(3, 1);

    translate();
}

void XConfigOverPressure::lockControls(bool locked)
{
    m_inflatePressure->SetLocked(locked);
}

void XConfigOverPressure::Initialize(const ostrel::Variant& data)
{
    showConfiguration([&] {
        m_configuration = data.as<INB4410ConfigOverPressure>();
        if (!m_configuration) {
            TextBox()->clear();
            SetLocked(true);
            return;
        }
        m_inflatePressure->Show(ostrel::numberToText(m_configuration->InflatePressure()));
        m_testGuideConfig->SetSettings(m_configuration->TestGuideConfig());
    });
}

void XConfigOverPressure::SetFocus()
{
    runStep("focus", [&] { TextBox()->setFocus(); });
}

void XConfigOverPressure::valueTyped()
{
    if (!m_configuration)
        return;
    m_configuration->SetInflatePressure(static_cast<float>(m_inflatePressure->Take()));
    notifyChange();
}

} // namespace nb4410
