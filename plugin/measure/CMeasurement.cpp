#include "plugin/measure/CMeasurement.h"

#include "host/contract/ILimitData.h"
#include "host/contract/IProgress.h"
#include "host/contract/IReport.h"
#include "host/contract/IStandards.h"
#include "host/contract/ResultStatus.h"
#include "host/core/BasicNumber.h"
#include "host/core/ErrorService.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/results/LimitRule.h"
#include "host/results/Report.h"
#include "host/storage/StatusCodec.h"
#include "plugin/measure/MXmlTags.h"

namespace nb4410 {

using ostrel::Variant;

namespace {

const QString kModule = QStringLiteral("NB-4410");
const char kReleasedText[] = "20904::Released";
const char kNotReleasedText[] = "20905::Not released";

struct FlagText {
    QChar letter;
    const char* text;
};
constexpr FlagText kFlagTexts[] = {
    {QLatin1Char('O'), "20550::Measurement overflow."},
    {QLatin1Char('I'), "20551::Incomplete test."},
    {QLatin1Char('E'), "20552::Error during test."},
    {QLatin1Char(CMeasurement::kNoReadingFlag), CMeasurement::kNoReadingText},
};

} // namespace

CMeasurement::CMeasurement()
{
    ResetAll();
}

void CMeasurement::ResetAll()
{
    m_value = Variant::null();
    m_valueType = 0;
    m_key.clear();
    m_description.clear();
    m_unit.clear();
    m_status = 0;
}

QString CMeasurement::Description()
{
    QString text;
    ostrel::runStep("translate the measurement description", [&] { text = ostrel::tr4410(m_description); });
    return text;
}

QString CMeasurement::Key() { return m_key; }
QString CMeasurement::LimitKey() { return m_key; }
std::int32_t CMeasurement::Status() { return m_status; }
QString CMeasurement::Unit() { return m_unit; }
Variant CMeasurement::Value() { return m_value; }
Variant CMeasurement::PresetValue() { return m_presetValue; }
std::int32_t CMeasurement::ValueType() { return m_valueType; }
QString CMeasurement::ValueFormat() { return m_valueFormat; }
QString CMeasurement::Flags() { return m_flags; }

QString CMeasurement::ToolTipText()
{
    QString text;
    for (const QChar letter : m_flags) {
        for (const FlagText& flag : kFlagTexts) {
            if (letter == flag.letter)
                ostrel::runStep("translate a flag text", [&] { text += ostrel::tr4410(QString::fromUtf8(flag.text)) + QLatin1Char(' '); });
        }
    }
    return text.trimmed();
}

void CMeasurement::Define(const QString& key, const QString& unit, const QString& description, std::int32_t valueType)
{
    m_key = key;
    m_unit = unit;
    m_description = description;
    m_valueType = valueType;
}

void CMeasurement::SetValue(const Variant& value) { m_value = value; }
void CMeasurement::SetPresetValue(const Variant& value) { m_presetValue = value; }
void CMeasurement::SetValueFormat(const QString& format) { m_valueFormat = format; }

void CMeasurement::ClearResult()
{
    m_value = Variant();
    m_presetValue = Variant();
    m_flags.clear();
    m_status = 0;
}

void CMeasurement::AddFlag(const QString& flag)
{
    if (flag.isEmpty())
        m_flags.clear();
    else if (m_flags.isEmpty())
        m_flags = flag;
    else if (!m_flags.contains(flag, Qt::CaseInsensitive))
        m_flags += flag;
}

bool CMeasurement::HasFlag(QChar letter) const
{
    return m_flags.contains(letter, Qt::CaseInsensitive);
}

void CMeasurement::RemoveFlag(QChar letter)
{
    m_flags.remove(letter, Qt::CaseInsensitive);
}

std::int32_t CMeasurement::UpdateStatus(const std::shared_ptr<ostrel::ILimitData>& limitData,
                                        const std::shared_ptr<ostrel::IStandards>& selectedStandards)
{
    namespace status = ostrel::status;
    // The monitor showed nothing: the measurement it should have made failed, limits or not.
    if (NoReading()) {
        m_status = status::kFailed;
        return m_status;
    }
    if (m_value.isEmptyOrNull()) {
        m_status = status::kNotEvaluated;
        return m_status;
    }
    // A value of a run cut short is kept for the record, but it is no verdict either way.
    if (HasFlag(QLatin1Char(kIncompleteFlag)) || HasFlag(QLatin1Char(kErrorFlag))) {
        m_status = status::kIncomplete;
        return m_status;
    }
    bool judged = false;
    ostrel::runStep("find the applied limits", [&] {
        if (limitData)
            judged = !ostrel::LimitRule::Applied(limitData->Standards(), selectedStandards, m_key).empty();
    });
    if (!judged) {
        m_status = status::kNotJudged;
        return m_status;
    }
    // Judged also when no owner holds this measurement by shared ownership: then it is lent,
    // not owned, for the call.
    std::shared_ptr<ostrel::IMeasurement> self = std::dynamic_pointer_cast<ostrel::IMeasurement>(weak_from_this().lock());
    if (!self)
        self = std::shared_ptr<ostrel::IMeasurement>(std::shared_ptr<ostrel::IMeasurement>(), this);
    std::shared_ptr<ostrel::IStandards> failed;
    ostrel::runStep("find the failed standards", [&] { failed = limitData->FindFailedStandards(self, selectedStandards); });
    m_status = failed ? status::kFailed : status::kPassed;
    return m_status;
}

void CMeasurement::SetNoReading(bool noReading)
{
    if (!noReading) {
        RemoveFlag(QLatin1Char(kNoReadingFlag));
        return;
    }
    m_value = Variant();
    RemoveFlag(QLatin1Char(kIncompleteFlag));
    AddFlag(QString(QLatin1Char(kNoReadingFlag)));
}

void CMeasurement::MarkIncomplete(bool failure)
{
    if (m_value.isEmptyOrNull())
        return;
    AddFlag(QString(QLatin1Char(kIncompleteFlag)));
    if (failure)
        AddFlag(QString(QLatin1Char(kErrorFlag)));
    m_status = ostrel::status::kIncomplete;
}

QString CMeasurement::ReadableValue()
{
    if (m_valueType != kYesNo || m_value.isEmptyOrNull())
        return QString();
    return ostrel::tr4410(QString::fromLatin1(YesNoText(m_value) == QLatin1String("True") ? kReleasedText : kNotReleasedText));
}

QString CMeasurement::YesNoText(const Variant& value)
{
    return !value.isNull() && value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

QString CMeasurement::GetValueText(std::int32_t& status)
{
    QString text;
    ostrel::runStep("convert the value to text", [&] {
        if (m_valueType == kYesNo)
            text = YesNoText(m_value);
        else
            text = m_value.text();
    });
    status = m_status;
    return text;
}

QString CMeasurement::formatted(const Variant& value) const
{
    if (value.isEmptyOrNull())
        return QString();
    QString text;
    ostrel::runStep("format a value", [&] {
        if (value.type() == ostrel::VarType::Boolean) {
            text = YesNoText(value);
        } else if (value.isNumeric()) {
            text = m_valueFormat.isEmpty() ? value.text() : ostrel::formatNumber(value.toDouble(), m_valueFormat);
        } else {
            // A loaded preset is text: formatted when it reads as a number, else printed as it is.
            text = value.text();
            bool number = false;
            const double parsed = text.trimmed().toDouble(&number);
            if (number && !m_valueFormat.isEmpty())
                text = ostrel::formatNumber(parsed, m_valueFormat);
        }
    });
    // A stored text must not break the report's table.
    return ostrel::Report::CellText(text);
}

QString CMeasurement::ReportLine(const ostrel::ReportPtr& report)
{
    if (!report)
        return QString();
    std::int32_t options = 0;
    ostrel::runStep("read the print options", [&] { options = report->PrintOptions(); });
    if ((options & kPrintFailedOnly) != 0 && m_status != 2)
        return QString();
    QString description;
    ostrel::runStep("translate the description", [&] { description = report->Translate(kModule, m_description); });
    QString value = formatted(m_value);
    if (NoReading())
        ostrel::runStep("translate no reading", [&] { value = report->Translate(kModule, QLatin1String(kNoReadingText)); });
    return QStringLiteral("|      ") + description + QLatin1Char('|') + formatted(m_presetValue) + QLatin1Char('|') + value
         + QLatin1Char('|') + m_unit + QLatin1Char(';');
}

ostrel::StorageElement CMeasurement::Save(const ostrel::StorageDocumentPtr& parent)
{
    if (m_status == 0 || m_key.isEmpty())
        return {};
    auto& errors = ostrel::ErrorService::instance();
    try {
        ostrel::StorageElement element = parent ? parent->CreateElement(MXmlTags::kMeasurement) : ostrel::StorageElement();
        if (!element)
            errors.Raise(kModule, kSaveError, kSource, 4);
        element.SetAttribute(MXmlTags::kKey, m_key);
        if (!m_flags.isEmpty())
            element.SetAttribute(MXmlTags::kFlags, m_flags);
        if (!m_description.isEmpty())
            element.AddChild(MXmlTags::kDescription, m_description);
        if (!m_value.isEmptyOrNull())
            element.AppendChild(ostrel::StatusCodec::ValueToElement(parent, m_value, m_valueType));
        if (!m_presetValue.isEmptyOrNull()) {
            const QString preset = m_presetValue.text();
            if (!preset.isEmpty())
                element.AddChild(MXmlTags::kPresetValue, preset);
        }
        if (!m_unit.isEmpty())
            element.AddChild(MXmlTags::kUnit, m_unit);
        element.AppendChild(ostrel::StatusCodec::StatusToElement(parent, m_status, QString()));
        return element;
    } catch (...) {
        if (ostrel::ComError::fromCurrent().number() == kSaveError)
            throw;
        errors.PassOn(kSource);
    }
}

void CMeasurement::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    auto& errors = ostrel::ErrorService::instance();
    std::int32_t step = 0;
    auto closeStep = [&] {
        if (step != 0) {
            const std::int32_t opened = step;
            step = 0;
            ostrel::runStep("close the progress step", [&] { progress->CloseStep(opened); });
        }
    };
    try {
        if (progress)
            step = progress->OpenStep(kModule, QString());
        if (element.Name() != QLatin1String(MXmlTags::kMeasurement))
            errors.Raise(kModule, kLoadError, kSource, 4);
        ResetAll();
        m_key = element.Attribute(MXmlTags::kKey);
        if (m_key.isEmpty()) {
            if (step != 0)
                progress->Report(kLoadError, 2, QString::fromUtf8(kEmptyKeyText), Variant());
            errors.Raise(kModule, kLoadError, kSource, 2);
        }
        m_flags = element.Attribute(MXmlTags::kFlags);
        for (int index = 0; index < element.ChildCount(); ++index) {
            const ostrel::StorageElement child = element.Child(index);
            const QString name = child.Name();
            if (name == QLatin1String(MXmlTags::kDescription)) {
                m_description = child.Text();
            } else if (name == QLatin1String(MXmlTags::kValue)) {
                ostrel::StatusCodec::ElementToValue(child, m_value, m_valueType);
            } else if (name == QLatin1String(MXmlTags::kPresetValue)) {
                m_presetValue = child.Text(); // kept as text; evaluation converts it
            } else if (name == QLatin1String(MXmlTags::kUnit)) {
                m_unit = child.Text();
            } else if (name == QLatin1String(MXmlTags::kStatus)) {
                QString unused;
                ostrel::StatusCodec::ElementToStatus(child, m_status, unused);
            }
        }
        closeStep();
    } catch (...) {
        // The step is closed on failure too, so the progress log stays balanced.
        closeStep();
        if (ostrel::ComError::fromCurrent().number() == kLoadError)
            errors.Raise(kModule, 0, QString(), 1);
        errors.PassOn(kSource);
    }
}

} // namespace nb4410
