#include "CConfigLeak.h"

#include "host/contract/IReport.h"
#include "host/core/ClassTable.h"
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
const QString kStartPressure = QStringLiteral("StartPressure");
const QString kTestedEquipment = QStringLiteral("TestedEquipment");
const QString kDuration = QStringLiteral("Duration");
const QString kStartPressureCaption = QStringLiteral("20453::Start Pressure");
const QString kTestedEquipmentCaption = QStringLiteral("20454::Tested Equipment");
const QString kDurationCaption = QStringLiteral("20455::Duration");

enum Present : int { kHasStartPressure = 1, kHasEquipment = 2, kHasDuration = 4, kHasSettings = 8, kHasAll = 15 };

MConfigStore::Origin storeOrigin()
{
    return {QString::fromLatin1(CConfigLeak::kSource), QStringLiteral("20457::Loading leak test configuration data"), 2,
            2};
}
} // namespace

CConfigLeak::CConfigLeak() { reset(); }

void CConfigLeak::reset()
{
    m_startPressure = kDefaultStartPressure;
    m_testedEquipment = kDefaultTestedEquipment;
    m_duration = kDefaultDuration;
    m_testGuideSettings = std::make_shared<ostrel::TestGuideSettings>();
}

QString CConfigLeak::TestedEquipmentText(bool translate) const
{
    QString text;
    switch (m_testedEquipment) {
    case kCuff: text = QStringLiteral("20450::Cuff"); break;
    case kMonitor: text = QStringLiteral("20451::Monitor"); break;
    case kCuffAndMonitor: text = QStringLiteral("20452::Cuff and Monitor"); break;
    default: return QString();
    }
    return translate ? ostrel::tr4410(text) : text;
}

QString CConfigLeak::DurationText() const
{
    if (m_duration < 1)
        return ostrel::tr4410(QStringLiteral("20456::(continuous)"));
    return ostrel::formatNumber(m_duration / 60, QStringLiteral("00")) + QLatin1Char(':')
        + ostrel::formatNumber(m_duration % 60, QStringLiteral("00"));
}

VariantArray CConfigLeak::TestParameters() const
{
    return VariantArray{ostrel::NumberToText(Variant(kTestType)), ostrel::NumberToText(Variant(m_startPressure)),
                        ostrel::NumberToText(Variant(m_testedEquipment)), ostrel::NumberToText(Variant(m_duration))};
}

VariantArray CConfigLeak::ConfigurationInformation() const
{
    VariantArray rows(3, 2);
    rows.at(0, 0) = ostrel::tr4410(kStartPressureCaption);
    rows.at(0, 1) = ostrel::numberToText(m_startPressure) + QStringLiteral(" mmHg");
    rows.at(1, 0) = ostrel::tr4410(kTestedEquipmentCaption);
    rows.at(1, 1) = TestedEquipmentText(true);
    rows.at(2, 0) = ostrel::tr4410(kDurationCaption);
    rows.at(2, 1) = DurationText();
    return rows;
}

void CConfigLeak::CopyTestGuideSettingsFrom(const CConfigLeak& other)
{
    m_testGuideSettings = MConfigStore::CopySettings(other.m_testGuideSettings);
}

std::shared_ptr<ostrel::IConfigData> CConfigLeak::Clone()
{
    auto copy = std::make_shared<CConfigLeak>();
    copy->SetStartPressure(m_startPressure);
    copy->SetTestedEquipment(m_testedEquipment);
    copy->SetDuration(m_duration);
    copy->CopyTestGuideSettingsFrom(*this);
    return copy;
}

std::shared_ptr<ostrel::IDialog> CConfigLeak::CreateDialog()
{
    return FDialogWrapper::Open(QString::fromLatin1(kEditorProgId), Variant(shared_from_this()));
}

void CConfigLeak::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    MConfigStore::Load(
        element, progress, storeOrigin(), [this] { reset(); },
        [this, progress](const ostrel::StorageElement& child) { return loadChild(child, progress); }, kHasAll);
}

int CConfigLeak::loadChild(const ostrel::StorageElement& child, const ostrel::ProgressPtr& progress)
{
    const QString name = child.Name();
    if (name == kStartPressure) {
        m_startPressure = static_cast<float>(
            MConfigStore::ReadChecked(child, progress, {kMinStartPressure, kMaxStartPressure}, kDefaultStartPressure));
        return kHasStartPressure;
    }
    if (name == kTestedEquipment) {
        m_testedEquipment = static_cast<std::int32_t>(MConfigStore::ReadChecked(
            child, progress, {kMinTestedEquipment, kMaxTestedEquipment, true}, kDefaultTestedEquipment));
        return kHasEquipment;
    }
    if (name == kDuration) {
        m_duration = static_cast<std::int32_t>(
            MConfigStore::ReadChecked(child, progress, {kMinDuration, kMaxDuration, true}, kDefaultDuration));
        return kHasDuration;
    }
    if (name == QLatin1String(MXmlTags::kTestGuideSettings)) {
        m_testGuideSettings->Load(child, progress);
        return kHasSettings;
    }
    return 0;
}

ostrel::StorageElement CConfigLeak::Save(const ostrel::StorageDocumentPtr& document)
{
    return MConfigStore::Save(document, storeOrigin(), [&](ostrel::StorageElement& element) {
        element.AddChild(kStartPressure, ostrel::NumberToText(Variant(m_startPressure)));
        element.AddChild(kTestedEquipment, ostrel::NumberToText(Variant(m_testedEquipment)));
        element.AddChild(kDuration, ostrel::NumberToText(Variant(m_duration)));
        MConfigStore::SaveSettings(element, document, m_testGuideSettings);
    });
}

void CConfigLeak::PrintReport(ostrel::ReportPtr report)
{
    if (!report)
        return;
    const QString heading = QStringLiteral("|{\\i\\b ") + report->Translate(kModule, QStringLiteral("310::Configuration"))
        + QStringLiteral("};");
    const std::int32_t w = (report->Width(10) - 3360) / 4;
    const QString format = QStringLiteral("<+560|<2240|<+%1|<+%1|<+%1|<+!%1|<+560;").arg(w);
    const QString indent(6, QLatin1Char(' '));
    auto row = [&](const QString& key, const QString& value) {
        return QStringLiteral("|") + report->Translate(kModule, key) + indent + QLatin1Char('|') + value
            + QLatin1Char(';');
    };
    const QString rows = row(kStartPressureCaption,
                             ostrel::formatNumber(m_startPressure, QStringLiteral("0")) + QStringLiteral(" mmHg"))
        + row(kDurationCaption, DurationText())
        + row(kTestedEquipmentCaption, report->Translate(kModule, TestedEquipmentText(false)));
    if (rows.isEmpty())
        return;
    report->SetFontSize(10);
    report->SetSpaceBefore(0);
    report->SetRuled(1);
    report->AddTable(format, heading, rows);
}

} // namespace nb4410
