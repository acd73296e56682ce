#include "XConfigPBP.h"

#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "plugin/tests/bp/CPresetValues.h"
#include "plugin/tests/bp/INB4410ConfigBP.h"
#include "plugin/tests/bp/MConfigBP.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigPBP", XConfigPBP)

using ostrel::runStep;

namespace {
// The patient and the preset head the rows; the simulated values follow as the configuration's
// table has them.
const char* const kChoiceTitles[] = {"20280::Patient:", "20281::Selected preset:"};
constexpr int kChoices = static_cast<int>(std::size(kChoiceTitles));
const char* const kValueNames[XConfigPBP::kValues] = {"lblSystolic", "lblDiastolic", "lblMAP", "lblHeartRate",
                                                      "lblPulsePressure"};
const char* const kPatientCaptions[] = {"20282::Adult", "20283::Neonate"};

const ConfigField<CConfigPBP>& valueField(int index) { return MConfigFields::EditorRow(CConfigPBP::Fields(), index); }
} // namespace

XConfigPBP::XConfigPBP(QWidget* parent)
    : XConfigBP(parent),
      m_lstPreset(new QComboBox(m_fraParams))
{
    makeHelp(QStringLiteral("20291::Choose the patient and the stored simulation the NB-4410 runs; "
                            "the values it simulates are shown below the list."));
    makeTestGuideSettings(m_fraSettings);
    m_lstPreset->setObjectName(QStringLiteral("lstPreset"));

    auto* grid = new QGridLayout(m_fraParams);
    for (int i = 0; i < kChoices + kValues; ++i) {
        const char* caption = i < kChoices ? kChoiceTitles[i] : valueField(i - kChoices).editor.caption;
        auto* title = new QLabel(QString::fromLatin1(caption), m_fraParams);
        title->setObjectName(QStringLiteral("lblTitle_%1").arg(i));
        grid->addWidget(title, i, 0);
    }
    auto* patients = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kPatientCaptions[i]), m_fraParams);
        option->setObjectName(QStringLiteral("optPatient_%1").arg(i));
        patients->addWidget(option);
        m_optPatient[static_cast<size_t>(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { patientChosen(i); });
    }
    grid->addLayout(patients, 0, 1);
    grid->addWidget(m_lstPreset, 1, 1);
    for (int i = 0; i < kValues; ++i) {
        auto* value = new QLabel(m_fraParams);
        value->setObjectName(QString::fromLatin1(kValueNames[i]));
        grid->addWidget(value, i + kChoices, 1);
        m_value[static_cast<size_t>(i)] = value;
    }
    connect(m_lstPreset, &QComboBox::currentIndexChanged, this, [this](int index) { presetChosen(index); });
    layOut(nullptr);

    translate();
}

XConfigPBP::~XConfigPBP() = default;

void XConfigPBP::lockControls(bool locked)
{
    m_lstPreset->setEnabled(!locked);
    for (QRadioButton* option : m_optPatient)
        option->setEnabled(!locked);
}

void XConfigPBP::loadPresets(std::int32_t testType)
{
    if (!m_presets)
        m_presets = std::make_unique<CPresetValues>();
    m_presets->LoadPresets(testType);
}

void XConfigPBP::fillPresets(std::int32_t testType, std::int32_t patient, std::int32_t selectedPreset)
{
    loadPresets(testType);
    m_presets->FillPresetList(m_lstPreset, patient != 0);
    m_selectedPreset = selectedPreset;
    m_lstPreset->setCurrentIndex(selectedPreset < 1 ? -1 : m_lstPreset->findData(selectedPreset));
}

void XConfigPBP::showValues()
{
    for (int i = 0; i < kValues; ++i)
        runStep("show value", [&] {
            m_value[static_cast<size_t>(i)]->setText(valueText(valueField(i).key, valueField(i).editor.format));
        });
}

void XConfigPBP::clearShown()
{
    for (QLabel* value : m_value)
        value->clear();
}

void XConfigPBP::showHeld()
{
    fillPresets(m_configuration->TestType(), m_configuration->PatientType(), m_configuration->SelectedPreset());
    const int patient = m_configuration->PatientType() != 0 ? 1 : 0;
    m_optPatient[static_cast<size_t>(patient)]->setChecked(true);
    showValues();
}

void XConfigPBP::SetFocus()
{
    runStep("focus", [&] { m_lstPreset->setFocus(); });
}

void XConfigPBP::storeSelectedPresetData()
{
    const QString data =
        m_presets ? m_presets->PresetData(m_configuration->PatientType() != 0, m_configuration->SelectedPreset()) : QString();
    m_configuration->StorePresetValue(data);
}

void XConfigPBP::presetChosen(int index)
{
    if (m_initialising || m_busy || index < 0 || !m_configuration)
        return;
    const std::int32_t id = m_lstPreset->itemData(index).toInt();
    if (id == m_selectedPreset)
        return;
    m_busy = true;
    runStep("store preset", [&] {
        m_selectedPreset = id;
        m_configuration->SetSelectedPreset(ostrel::Variant(id).toByte());
        storeSelectedPresetData();
        showValues();
        notifyChange();
    });
    m_busy = false;
}

std::int32_t XConfigPBP::listedPreset(bool neonate, std::int32_t id) const
{
    const std::vector<PresetRecord>& list = neonate ? m_presets->Neonate() : m_presets->Adult();
    const auto complete = [](const PresetRecord& record) { return record.ID > 0; };
    if (std::any_of(list.begin(), list.end(), [&](const PresetRecord& r) { return complete(r) && r.ID == id; }))
        return id;
    const auto first = std::find_if(list.begin(), list.end(), complete);
    return first != list.end() ? first->ID : 0;
}

void XConfigPBP::patientChosen(int index)
{
    if (m_initialising || m_busy || !m_configuration || index == m_configuration->PatientType())
        return;
    m_busy = true;
    runStep("store patient", [&] {
        m_configuration->SetPatientType(index);
        // Adult and neonate presets are the same entries numbered seven apart. A number the
        // shift takes off the other list (a stored neonate preset below 8, say) would leave
        // the patient with a preset it has not: the first preset of its list stands in.
        if (m_configuration->TestType() == btPreset) {
            loadPresets(btPreset);
            const int offset = index == 1 ? MConfigBP::kNeonatePresetOffset : -MConfigBP::kNeonatePresetOffset;
            const std::int32_t moved = listedPreset(index == 1, m_configuration->SelectedPreset() + offset);
            m_configuration->SetSelectedPreset(static_cast<std::uint8_t>(moved));
        }
        m_initialising = true;
        fillPresets(m_configuration->TestType(), index, m_configuration->SelectedPreset());
        storeSelectedPresetData();
        showValues();
        m_initialising = false;
    });
    m_initialising = false;
    m_busy = false;
    notifyChange();
}

} // namespace nb4410
