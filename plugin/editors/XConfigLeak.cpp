#include "XConfigLeak.h"

#include "plugin/editors/CDigitsSlider.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/TestGuideSettings.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/tests/leak/CConfigLeak.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigLeak", XConfigLeak)

using ostrel::runStep;

namespace {

// Row 0 start pressure (mmHg), row 1 duration (s), as the configuration's table has them.
const ConfigField<CConfigLeak>& rowField(int row) { return MConfigFields::EditorRow(CConfigLeak::Fields(), row); }
const char kHelp[] = "20292::Start pressure 0 - 400 mmHg; duration 0 - 300 s, where 0 runs until stopped.";
const char* const kEquipmentCaptions[XConfigLeak::kEquipmentOptions] = {"20450::Cuff", "20451::Monitor",
                                                                          "20452::Cuff and Monitor"};
} // namespace

int XConfigLeak::RowMinimum(int row) { return static_cast<int>(rowField(row).range.minimum); }
int XConfigLeak::RowMaximum(int row) { return static_cast<int>(rowField(row).range.maximum); }

QLineEdit* XConfigLeak::TextBox(int row) const { return m_row[static_cast<size_t>(row)]->TextBox(); }
QSlider* XConfigLeak::Slider(int row) const { return m_row[static_cast<size_t>(row)]->Slider(); }

XConfigLeak::XConfigLeak(QWidget* parent)
    : XConfigEditor(parent),
      m_fraEquipment(new QGroupBox(this)),
      m_fraSettings(new QGroupBox(this))
{
    makeHelp(QString::fromLatin1(kHelp));
    makeTestGuideSettings(this);
    m_fraEquipment->setObjectName(QStringLiteral("fraEquipment"));
    m_fraSettings->setObjectName(QStringLiteral("fraSettings"));

    auto* equipment = new QVBoxLayout(m_fraEquipment);
    for (int i = 0; i < kEquipmentOptions; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kEquipmentCaptions[i]), m_fraEquipment);
        option->setObjectName(QStringLiteral("optTestedEquipment_%1").arg(i));
        equipment->addWidget(option);
        m_option[static_cast<size_t>(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { optionClicked(i); });
    }

    auto* grid = new QGridLayout(m_fraSettings);
    for (int row = 0; row < kRows; ++row) {
        const CDigitsSlider::Names names{QStringLiteral("lblConfiguration_%1").arg(row),
                                         QStringLiteral("txtConfiguration_%1").arg(row),
                                         QStringLiteral("sldConfiguration_%1").arg(row)};
        m_row[static_cast<size_t>(row)] =
            new CDigitsSlider(*this, *grid, row, names, rowField(row), [this, row] { valueTyped(row); });
    }
    grid->setColumnStretch(2, 1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_fraEquipment, 0, 0);
    layout->addWidget(m_help, 0, 1);
    layout->addWidget(m_fraSettings, 1, 0, 1, 2);
    layout->addWidget(m_testGuideConfig, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);

    translate();
}

void XConfigLeak::lockControls(bool locked)
{
    for (CDigitsSlider* row : m_row)
        row->SetLocked(locked);
    for (QRadioButton* option : m_option)
        option->setEnabled(!locked);
}

void XConfigLeak::Initialize(const ostrel::Variant& data)
{
    showConfiguration([&] {
        m_configuration = data.as<CConfigLeak>();
        if (!m_configuration) {
            for (CDigitsSlider* row : m_row)
                row->TextBox()->clear();
            m_option[0]->setChecked(true);
            return;
        }
        for (int row = 0; row < kRows; ++row)
            m_row[static_cast<size_t>(row)]->Show(MConfigFields::StoredText(rowField(row), *m_configuration));
        const int index = m_configuration->TestedEquipment() - 1;
        if (index >= 0 && index < kEquipmentOptions)
            m_option[static_cast<size_t>(index)]->setChecked(true);
        m_testGuideConfig->SetSettings(m_configuration->TestGuideSettings());
    });
}

void XConfigLeak::SetFocus()
{
    runStep("focus", [&] { TextBox(kStartPressureRow)->setFocus(); });
}

void XConfigLeak::valueTyped(int row)
{
    if (!m_configuration)
        return;
    MConfigFields::Set(rowField(row), *m_configuration, m_row[static_cast<size_t>(row)]->Take());
    notifyChange();
}

void XConfigLeak::optionClicked(int index)
{
    if (m_initialising || !m_configuration)
        return;
    runStep("tested equipment", [&] {
        m_configuration->SetTestedEquipment(index + 1);
        notifyChange();
    });
}

} // namespace nb4410
