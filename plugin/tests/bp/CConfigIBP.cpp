#include "CConfigIBP.h"

#include "MConfigBP.h"

#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/core/StringUtil.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

namespace {
const QString kSystolic = QStringLiteral("Systolic");
const QString kDiastolic = QStringLiteral("Diastolic");
const QString kHeartRate = QStringLiteral("HeartRate");
const QString kPulsePressure = QStringLiteral("PulsePressure");
const QString kArrhythmiaSim = QStringLiteral("ArrhythmiaSim");

enum Present : int {
    kHasSystolic = 1,
    kHasDiastolic = 2,
    kHasHeartRate = 4,
    kHasPulsePressure = 8,
    kHasArrhythmia = 16,
    kHasSettings = 32,
    kHasAll = 63
};

QString text(const Variant& value) { return ostrel::NumberToText(value); }
MConfigStore::Origin storeOrigin()
{
    return {QString::fromLatin1(CConfigIBP::kSource), QLatin1String(MConfigBP::kLoadingText), 2, 2};
}
} // namespace

CConfigIBP::CConfigIBP() { reset(); }

void CConfigIBP::reset()
{
    m_arrhythmia = MConfigBP::kArrhythmiaOff;
    m_systolic = kDefaultSystolic;
    m_diastolic = kDefaultDiastolic;
    m_heartRate = kDefaultHeartRate;
    m_pulsePressure = kDefaultPulsePressure;
    m_testGuideSettings = std::make_shared<ostrel::TestGuideSettings>();
}

Variant CConfigIBP::RetrieveTestParams()
{
    return Variant(ostrel::VariantArray{QStringLiteral("100"), text(Variant(std::int32_t{btIndependent})),
                                        QStringLiteral("0"), QStringLiteral("0"), text(Variant(m_systolic)),
                                        text(Variant(m_diastolic)), text(Variant(m_heartRate)),
                                        text(Variant(m_pulsePressure)), text(Variant(m_arrhythmia))});
}

Variant CConfigIBP::RetrievePresetValue(const QString& key)
{
    if (key == QLatin1String(MMeasureKey::kSyst))
        return Variant(m_systolic);
    if (key == QLatin1String(MMeasureKey::kDias))
        return Variant(m_diastolic);
    if (key == QLatin1String(MMeasureKey::kHart))
        return Variant(m_heartRate);
    if (key == QLatin1String(MMeasureKey::kPuls))
        return Variant(m_pulsePressure);
    return Variant();
}

void CConfigIBP::StorePresetValue(const QString& key, const Variant& value)
{
    runStep("store preset value", [&] {
        if (key == QLatin1String(MMeasureKey::kSyst))
            m_systolic = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kDias))
            m_diastolic = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kHart))
            m_heartRate = value.toInteger();
        else if (key == QLatin1String(MMeasureKey::kPuls))
            m_pulsePressure = value.toSingle();
    });
}

std::shared_ptr<ostrel::IConfigData> CConfigIBP::Clone()
{
    try {
        auto copy = std::make_shared<CConfigIBP>();
        for (const char* key : {MMeasureKey::kSyst, MMeasureKey::kDias, MMeasureKey::kHart, MMeasureKey::kPuls})
            copy->StorePresetValue(QLatin1String(key), RetrievePresetValue(QLatin1String(key)));
        copy->SetArrhythmiaSim(m_arrhythmia);
        copy->m_testGuideSettings = MConfigStore::CopySettings(m_testGuideSettings);
        return copy;
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

std::shared_ptr<ostrel::IDialog> CConfigIBP::CreateDialog()
{
    try {
        return FDialogWrapper::Open(QString::fromLatin1(kEditorProgId), Variant(shared_from_this()));
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

void CConfigIBP::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    MConfigStore::Load(
        element, progress, storeOrigin(), [this] { reset(); },
        [this, progress](const ostrel::StorageElement& child) {
            if (child.Name() == QLatin1String(MXmlTags::kTestGuideSettings)) {
                m_testGuideSettings->Load(child, progress);
                return static_cast<int>(kHasSettings);
            }
            return loadChild(child, progress);
        },
        kHasAll);
}

int CConfigIBP::loadChild(const ostrel::StorageElement& child, const ostrel::ProgressPtr& progress)
{
    // The ranges the editor accepts; a stored value outside them is refused.
    const QString name = child.Name();
    if (name == kSystolic) {
        m_systolic = static_cast<float>(MConfigStore::ReadChecked(child, progress, {20, 255}, kDefaultSystolic));
        return kHasSystolic;
    }
    if (name == kDiastolic) {
        m_diastolic = static_cast<float>(MConfigStore::ReadChecked(child, progress, {5, 210}, kDefaultDiastolic));
        return kHasDiastolic;
    }
    if (name == kHeartRate) {
        m_heartRate = static_cast<std::int16_t>(MConfigStore::ReadChecked(child, progress, {10, 240, true}, kDefaultHeartRate));
        return kHasHeartRate;
    }
    if (name == kPulsePressure) {
        m_pulsePressure = static_cast<float>(MConfigStore::ReadChecked(child, progress, {0.5, 5.0}, kDefaultPulsePressure));
        return kHasPulsePressure;
    }
    if (name == kArrhythmiaSim) {
        m_arrhythmia = MConfigStore::ReadByte(child.Text());
        return kHasArrhythmia;
    }
    return 0;
}

ostrel::StorageElement CConfigIBP::Save(const ostrel::StorageDocumentPtr& document)
{
    return MConfigStore::Save(document, storeOrigin(), [&](ostrel::StorageElement& element) {
        element.AddChild(kSystolic, text(Variant(m_systolic)));
        element.AddChild(kDiastolic, text(Variant(m_diastolic)));
        element.AddChild(kHeartRate, text(Variant(m_heartRate)));
        element.AddChild(kPulsePressure, text(Variant(m_pulsePressure)));
        element.AddChild(kArrhythmiaSim, text(Variant(m_arrhythmia)));
        MConfigStore::SaveSettings(element, document, m_testGuideSettings);
    });
}

void CConfigIBP::PrintReport(ostrel::ReportPtr report)
{
    MConfigStore::PrintTable(
        report, {{QStringLiteral("20354::Pulse Pressure"),
                  ostrel::formatNumber(m_pulsePressure, QStringLiteral("0.0")) + QStringLiteral(" mmHg")},
                 {QStringLiteral("20240::Arrhythmia Simulation"), MConfigBP::ArrhythmiaSimName(m_arrhythmia)}});
}

} // namespace nb4410
