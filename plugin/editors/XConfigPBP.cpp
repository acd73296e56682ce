#include "XConfigPBP.h"

#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/measure/MMeasureKey.h"
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
const char* const kTitles[] = {"20280::Patient:",           "20281::Selected preset:",
                               "20234::Systolic (mmHg) :",  "20235::Diastolic (mmHg) :",
                               "20238::MAP (mmHg) :",       "20236::Heart Rate (BPM) :",
                               "20237::Pulse Pressure (mmHg) :"};
const char* const kValueNames[XConfigPBP::kValues] = {"lblSystolic", "lblDiastolic", "lblMAP", "lblHeartRate",
                                                      "lblPulsePressure"};
const char* const kValueKeys[XConfigPBP::kValues] = {MMeasureKey::kSyst, MMeasureKey::kDias, MMeasureKey::kMapr,
                                                     MMeasureKey::kHart, MMeasureKey::kPuls};
const char* const kValueFormats[XConfigPBP::kValues] = {"0", "0", "0.0", "0", "0.00"};
const char* const kPatientCaptions[] = {"20282::Adult", "20283::Neonate"};
} // namespace

XConfigPBP::XConfigPBP(QWidget* parent)
    : XConfigEditor(parent),
      m_fraParams(new QGroupBox(this)),
      m_fraSettings(new QGroupBox(this)),
      m_lstPreset(new QComboBox(m_fraParams))
{
    makeHelp(QStringLiteral("20291::Choose the patient and the stored simulation the NB-4410 runs; "
                            "the values it simulates are shown below the list."));
    makeTestGuideSettings(m_fraSettings);
    m_fraParams->setObjectName(QStringLiteral("fraParams"));
    m_fraSettings->setObjectName(QStringLiteral("fraSettings"));
    m_lstPreset->setObjectName(QStringLiteral("lstPreset"));

    auto* grid = new QGridLayout(m_fraParams);
    for (int i = 0; i < static_cast<int>(std::size(kTitles)); ++i) {
        auto* title = new QLabel(QString::fromLatin1(kTitles[i]), m_fraParams);
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
        grid->addWidget(value, i + 2, 1);
        m_value[static_cast<size_t>(i)] = value;
    }
    connect(m_lstPreset, &QComboBox::currentIndexChanged, this, [this](int index) { presetChosen(index); });
    auto* settings = new QVBoxLayout(m_fraSettings);
    settings->addWidget(m_testGuideConfig);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_fraParams, 0, 0);
    layout->addWidget(m_help, 0, 1);
    layout->addWidget(m_fraSettings, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);

    translate();
}

XConfigPBP::~XConfigPBP() = default;

void XConfigPBP::SetLocked(bool locked)
{
    m_locked = locked;
    runStep("lock editor", [&] {
        m_lstPreset->setEnabled(!locked);
        for (QRadioButton* option : m_optPatient)
            option->setEnabled(!locked);
        m_testGuideConfig->SetLocked(locked);
    });
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
            const ostrel::Variant value =
                m_configuration ? m_configuration->RetrievePresetValue(QLatin1String(kValueKeys[i])) : ostrel::Variant();
            m_value[static_cast<size_t>(i)]->setText(
                value.isEmpty() ? QString() : ostrel::formatNumber(value.val(), QString::fromLatin1(kValueFormats[i])));
        });
}

void XConfigPBP::Initialize(const ostrel::Variant& data)
{
    m_initialising = true;
    runStep("show configuration", [&] {
        m_holder = data.toObject();
        m_configuration = dynamic_cast<INB4410ConfigBP*>(m_holder.get());
        if (!m_configuration) {
            m_holder.reset();
            for (QLabel* value : m_value)
                value->clear();
            return;
        }
        fillPresets(m_configuration->TestType(), m_configuration->PatientType(), m_configuration->SelectedPreset());
        const int patient = m_configuration->PatientType() != 0 ? 1 : 0;
        m_optPatient[static_cast<size_t>(patient)]->setChecked(true);
        m_testGuideConfig->SetSettings(m_configuration->TestGuideConfig());
        showValues();
    });
    m_initialising = false;
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
