#include "CConfigOverPressure.h"

#include "host/contract/IReport.h"
#include "host/core/LanguageService.h"
#include "host/core/StringUtil.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::Variant;
using ostrel::VariantArray;

namespace {
const QString kModule = QStringLiteral("NB-4410");
const QString kInflatePressure = QStringLiteral("InflatePressure");
const QString kInflatePressureCaption = QStringLiteral("20500::Inflate Pressure");

MConfigStore::Origin storeOrigin()
{
    return {QString::fromLatin1(CConfigOverPressure::kSource),
            QStringLiteral("20501::Loading over-pressure test configuration data"), 4, 3};
}
} // namespace

CConfigOverPressure::CConfigOverPressure() : m_testGuideSettings(std::make_shared<ostrel::TestGuideSettings>()) {}

VariantArray CConfigOverPressure::TestParameters() const
{
    return VariantArray{ostrel::NumberToText(Variant(kTestType)), ostrel::NumberToText(Variant(m_inflatePressure))};
}

VariantArray CConfigOverPressure::ConfigurationInformation() const
{
    VariantArray rows(1, 2);
    rows.at(0, 0) = ostrel::tr4410(kInflatePressureCaption);
    rows.at(0, 1) = ostrel::numberToText(m_inflatePressure) + QStringLiteral(" mmHg");
    return rows;
}

void CConfigOverPressure::CopyTestGuideSettingsFrom(const CConfigOverPressure& other)
{
    m_testGuideSettings = MConfigStore::CopySettings(other.m_testGuideSettings);
}

std::shared_ptr<ostrel::IConfigData> CConfigOverPressure::Clone()
{
    auto copy = std::make_shared<CConfigOverPressure>();
    copy->SetInflatePressure(m_inflatePressure);
    copy->CopyTestGuideSettingsFrom(*this);
    return copy;
}

std::shared_ptr<ostrel::IDialog> CConfigOverPressure::CreateDialog()
{
    return FDialogWrapper::Open(QString::fromLatin1(kEditorProgId), Variant(shared_from_this()));
}

void CConfigOverPressure::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    MConfigStore::LoadStep(element, progress, storeOrigin(), [&](std::int32_t step) {
        m_inflatePressure = kDefaultInflatePressure;
        bool found = false;
        const ostrel::StorageElement pressure = element.FirstChild(kInflatePressure);
        if (pressure && !pressure.Text().isEmpty()) {
            // The editor's range; a stored value outside it is refused.
            m_inflatePressure = static_cast<float>(
                MConfigStore::ReadChecked(pressure, progress, {kMinInflatePressure, kMaxInflatePressure}, kDefaultInflatePressure));
            found = true;
        }
        m_testGuideSettings = std::make_shared<ostrel::TestGuideSettings>();
        if (const ostrel::StorageElement settings = element.FirstChild(QLatin1String(MXmlTags::kTestGuideSettings))) {
            m_testGuideSettings->Load(settings, progress);
            found = true;
        }
        // Only a configuration with neither value warns; stored settings alone count as found.
        if (!found)
            MConfigStore::ReportMissing(progress, step);
    });
}

ostrel::StorageElement CConfigOverPressure::Save(const ostrel::StorageDocumentPtr& document)
{
    return MConfigStore::Save(document, storeOrigin(), [&](ostrel::StorageElement& element) {
        element.AddChild(kInflatePressure, ostrel::NumberToText(Variant(m_inflatePressure)));
        MConfigStore::SaveSettings(element, document, m_testGuideSettings);
    });
}

void CConfigOverPressure::PrintReport(ostrel::ReportPtr report)
{
    if (!report)
        return;
    const QString heading = QStringLiteral("|{\\i\\b ") + report->Translate(kModule, QStringLiteral("310::Configuration"))
        + QStringLiteral("};");
    const std::int32_t w = (report->Width(10) - 3360) / 4;
    const QString format = QStringLiteral("<+560|<2240|<+%1|<+%1|<+%1|<+!%1|<+560;").arg(w);
    const QString rows = QStringLiteral("|") + report->Translate(kModule, kInflatePressureCaption) + QString(6, QLatin1Char(' '))
        + QLatin1Char('|') + ostrel::formatNumber(m_inflatePressure, QStringLiteral("0")) + QStringLiteral(" mmHg;");
    report->SetFontSize(10);
    report->SetSpaceBefore(0);
    report->SetRuled(1);
    report->AddTable(format, heading, rows);
}

} // namespace nb4410
