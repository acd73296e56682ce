#include "CConfigLeak.h"

#include "host/contract/IReport.h"
#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::Variant;
using ostrel::VariantArray;

const ConfigTable<CConfigLeak>& CConfigLeak::Fields()
{
    using Field = ConfigField<CConfigLeak>;
    static const Field fields[] = {
        {.tag = "StartPressure", .attribute = nullptr, .member = &CConfigLeak::m_startPressure, .defaultValue = 250,
         .read = ConfigRead::Checked, .range = {0, 400}, .caption = "20453::Start Pressure", .unit = "mmHg",
         .reportFormat = "0", .infoRow = 0, .reportRow = 0,
         .editor = {"20242::Start pressure (mmHg):", "20250::Legal range: 20 mmHg - 255 mmHg.", 5, 50, 50}},
        {.tag = "TestedEquipment", .attribute = nullptr, .member = &CConfigLeak::m_testedEquipment, .defaultValue = kCuff,
         .read = ConfigRead::Checked, .range = {kCuff, kCuffAndMonitor, true}, .caption = "20454::Tested Equipment",
         .text = [](const CConfigLeak& c, const Variant&) { return c.TestedEquipmentText(true); }, .infoRow = 1, .reportRow = 2},
        // The start pressure keeps the pressure boxes' tip; a duration has a range of its own.
        {.tag = "Duration", .attribute = nullptr, .member = &CConfigLeak::m_duration, .defaultValue = 60,
         .read = ConfigRead::Checked, .range = {0, 300, true}, .caption = "20455::Duration",
         .text = [](const CConfigLeak& c, const Variant&) { return c.DurationText(); }, .infoRow = 2, .reportRow = 1,
         .editor = {"20244::Duration (sec) :", "20295::Legal range: 0 s - 300 s.", 10, 60, 30}},
    };
    static const ConfigTable<CConfigLeak> table{
        fields, &CConfigLeak::m_testGuideSettings,
        {QString::fromLatin1(kSource), QStringLiteral("20457::Loading leak test configuration data"), 2, 2}};
    return table;
}

CConfigLeak::CConfigLeak() { ResetFields(); }

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

VariantArray CConfigLeak::TestParameters() const { return MConfigFields::Parameters(Fields(), *this, kTestType); }

VariantArray CConfigLeak::ConfigurationInformation() const { return MConfigFields::InformationRows(Fields(), *this); }

} // namespace nb4410
