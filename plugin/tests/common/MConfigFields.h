#pragma once
// A configuration's fields, described once in a table: the stored element (or attribute), the
// member, the default, how a stored text is read, the editor's range, the caption, unit and
// format of its rows. Reset, clone, load (with the missing-parameter warning), save, the
// parameter set, the information rows, the report rows and the editors' rows are driven from
// the table, so a new field is one line.
#include "plugin/tests/common/MConfigStore.h"

#include "host/contract/IReport.h"
#include "host/core/BasicNumber.h"
#include "host/core/LanguageService.h"
#include "host/core/Variant.h"
#include "host/run/TestGuideSettings.h"
#include "plugin/measure/MXmlTags.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <variant>
#include <vector>

namespace nb4410 {

// How a stored text becomes the field's value.
enum class ConfigRead {
    Checked, // a number within the field's range; otherwise refused and the default kept
    Float,   // the leading number of the text
    Integer, // the leading number rounded to 16 bits
    Long,    // the leading number rounded to 32 bits
    Byte,    // the leading number rounded to a byte
};

// When the missing-parameter warning is given.
enum class ConfigMissing {
    UnlessAll, // children are walked; any field or the settings absent warns
    WhenNone,  // children are looked up by name (the first, a non-empty text); warns when none is found
};

// A row of an editor: its numbered caption and tip, the steps of a slider row, and the format
// of the value a text box or a label shows.
struct ConfigEditorRow {
    const char* caption = nullptr;
    const char* toolTip = nullptr;
    int smallStep = 1;
    int largeStep = 10;
    int tickEvery = 10;
    const char* format = "0"; // of the value a text box or a label shows
};

template <class Config>
struct ConfigField {
    using Member = std::variant<float Config::*, std::int32_t Config::*, std::int16_t Config::*, std::uint8_t Config::*>;

    const char* tag;                    // the stored element
    const char* attribute;              // an attribute of that element, or nullptr for its text
    Member member;
    std::optional<double> defaultValue; // none: a reset keeps the value
    ConfigRead read;
    MConfigStore::Range range;          // the editor's; a Checked field refuses a stored value outside
    const char* caption = nullptr;      // of the information and report rows
    const char* unit = nullptr;         // after the value and a space
    const char* reportFormat = nullptr; // of the report row; nullptr: number-to-text
    // A value with a text of its own (a choice, a duration), given the configuration and the value.
    QString (*text)(const Config&, const ostrel::Variant&) = nullptr;
    int infoRow = -1;                   // position among the information rows; -1: none
    int reportRow = -1;                 // position among the report rows; -1: none
    ConfigEditorRow editor = {};
    const char* key = nullptr;          // the measurement key of a simulated value ("SYST")
};

template <class Config>
struct ConfigTable {
    std::span<const ConfigField<Config>> fields;
    ostrel::TestGuideSettingsPtr Config::* settings;
    MConfigStore::Origin origin;
    ConfigMissing missing = ConfigMissing::UnlessAll;
};

namespace MConfigFields {

// The member as a variant of its own type (Single, Long, Integer or Byte).
template <class Config>
ostrel::Variant Value(const ConfigField<Config>& field, const Config& config)
{
    return std::visit([&](auto member) { return ostrel::Variant(config.*member); }, field.member);
}

template <class Config>
void Set(const ConfigField<Config>& field, Config& config, double value)
{
    std::visit([&](auto member) { config.*member = static_cast<std::remove_reference_t<decltype(config.*member)>>(value); },
               field.member);
}

// The stored text: the host's number-to-text conversion of the member.
template <class Config>
QString StoredText(const ConfigField<Config>& field, const Config& config)
{
    return Value(field, config).text();
}

// The value held for a measurement key; Empty for a key the configuration does not hold.
template <class Config>
ostrel::Variant KeyedValue(const ConfigTable<Config>& table, const Config& config, const QString& key)
{
    for (const ConfigField<Config>& field : table.fields)
        if (field.key && key == QLatin1String(field.key))
            return Value(field, config);
    return ostrel::Variant();
}

// Sets the value of a measurement key, converted as the variant converts to the member's type;
// false for a key the configuration does not hold.
template <class Config>
bool SetKeyed(const ConfigTable<Config>& table, Config& config, const QString& key, const ostrel::Variant& value)
{
    for (const ConfigField<Config>& field : table.fields) {
        if (!field.key || key != QLatin1String(field.key))
            continue;
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(config.*member)>;
                if constexpr (std::is_same_v<T, float>)
                    config.*member = value.toSingle();
                else if constexpr (std::is_same_v<T, std::int16_t>)
                    config.*member = value.toInteger();
                else if constexpr (std::is_same_v<T, std::uint8_t>)
                    config.*member = value.toByte();
                else
                    config.*member = value.toLong();
            },
            field.member);
        return true;
    }
    return false;
}

template <class Config>
void Reset(const ConfigTable<Config>& table, Config& config)
{
    for (const ConfigField<Config>& field : table.fields)
        if (field.defaultValue)
            Set(field, config, *field.defaultValue);
    config.*table.settings = std::make_shared<ostrel::TestGuideSettings>();
}

// The fields and a copy of the settings.
template <class Config>
void Copy(const ConfigTable<Config>& table, const Config& from, Config& to)
{
    for (const ConfigField<Config>& field : table.fields)
        std::visit([&](auto member) { to.*member = from.*member; }, field.member);
    to.*table.settings = MConfigStore::CopySettings(from.*table.settings);
}

namespace detail {

template <class Config>
double readText(const ConfigField<Config>& field, const ostrel::StorageElement& element, const QString& text,
                const ostrel::ProgressPtr& progress)
{
    switch (field.read) {
    case ConfigRead::Checked: return MConfigStore::ReadChecked(element, progress, field.range, field.defaultValue.value_or(0));
    case ConfigRead::Float: return static_cast<float>(ostrel::leadingNumber(text));
    case ConfigRead::Integer: return MConfigStore::ReadInteger(text);
    case ConfigRead::Long: return ostrel::roundToLong(ostrel::leadingNumber(text));
    case ConfigRead::Byte: return MConfigStore::ReadByte(text);
    }
    return 0;
}

// The fields stored in one element: its text, or its non-empty attributes.
template <class Config>
void readElement(const ConfigTable<Config>& table, Config& config, const ostrel::StorageElement& child,
                 const ostrel::ProgressPtr& progress)
{
    for (const ConfigField<Config>& field : table.fields) {
        if (child.Name() != QLatin1String(field.tag))
            continue;
        const QString text = field.attribute ? child.Attribute(QLatin1String(field.attribute)) : child.Text();
        if (field.attribute && text.isEmpty())
            continue;
        Set(field, config, readText(field, child, text, progress));
    }
}

// The distinct stored elements, in the order of the table.
template <class Config>
std::vector<QString> tags(const ConfigTable<Config>& table)
{
    std::vector<QString> names;
    for (const ConfigField<Config>& field : table.fields)
        if (std::find(names.begin(), names.end(), QLatin1String(field.tag)) == names.end())
            names.emplace_back(QLatin1String(field.tag));
    return names;
}

template <class Config>
void walkChildren(const ConfigTable<Config>& table, Config& config, const ostrel::StorageElement& element,
                  const ostrel::ProgressPtr& progress, std::int32_t step)
{
    const std::vector<QString> names = tags(table);
    const int settingsBit = 1 << names.size();
    const int allPresent = (settingsBit << 1) - 1;
    int present = 0;
    for (int i = 0; i < element.ChildCount(); ++i) {
        const ostrel::StorageElement child = element.Child(i);
        if (child.Name() == QLatin1String(MXmlTags::kTestGuideSettings)) {
            (config.*table.settings)->Load(child, progress);
            present |= settingsBit;
            continue;
        }
        const auto found = std::find(names.begin(), names.end(), child.Name());
        if (found == names.end())
            continue;
        readElement(table, config, child, progress);
        present |= 1 << (found - names.begin());
    }
    if (present < allPresent)
        MConfigStore::ReportMissing(progress, step);
}

template <class Config>
void lookUpChildren(const ConfigTable<Config>& table, Config& config, const ostrel::StorageElement& element,
                    const ostrel::ProgressPtr& progress, std::int32_t step)
{
    bool found = false;
    for (const QString& name : tags(table)) {
        const ostrel::StorageElement child = element.FirstChild(name);
        if (!child || child.Text().isEmpty())
            continue;
        readElement(table, config, child, progress);
        found = true;
    }
    // Stored settings alone count as found.
    if (const ostrel::StorageElement settings = element.FirstChild(QLatin1String(MXmlTags::kTestGuideSettings))) {
        (config.*table.settings)->Load(settings, progress);
        found = true;
    }
    if (!found)
        MConfigStore::ReportMissing(progress, step);
}

} // namespace detail

// Inside the load step: resets, reads the stored fields and the settings, and warns as the
// table says when something is missing.
template <class Config>
void Load(const ConfigTable<Config>& table, Config& config, const ostrel::StorageElement& element,
          const ostrel::ProgressPtr& progress)
{
    MConfigStore::LoadStep(element, progress, table.origin, [&](std::int32_t step) {
        Reset(table, config);
        if (table.missing == ConfigMissing::UnlessAll)
            detail::walkChildren(table, config, element, progress, step);
        else
            detail::lookUpChildren(table, config, element, progress, step);
    });
}

// "PlugInData" with one child a stored element (fields with an attribute share theirs), then
// the settings.
template <class Config>
ostrel::StorageElement Save(const ConfigTable<Config>& table, const Config& config,
                            const ostrel::StorageDocumentPtr& document)
{
    return MConfigStore::Save(document, table.origin, [&](ostrel::StorageElement& element) {
        for (const QString& name : detail::tags(table)) {
            const ConfigField<Config>* first = nullptr;
            for (const ConfigField<Config>& field : table.fields)
                if (name == QLatin1String(field.tag) && !first)
                    first = &field;
            if (!first->attribute) {
                element.AddChild(name, StoredText(*first, config));
                continue;
            }
            ostrel::StorageElement child = document->CreateElement(name);
            for (const ConfigField<Config>& field : table.fields)
                if (name == QLatin1String(field.tag))
                    child.SetAttribute(QLatin1String(field.attribute), StoredText(field, config));
            element.AppendChild(child);
        }
        MConfigStore::SaveSettings(element, document, config.*table.settings);
    });
}

// The instrument's parameter set: the test type, then every field, as stored texts.
template <class Config>
ostrel::VariantArray Parameters(const ConfigTable<Config>& table, const Config& config, std::int32_t testType)
{
    ostrel::VariantArray parameters{ostrel::Variant(testType).text()};
    for (const ConfigField<Config>& field : table.fields)
        parameters.append(ostrel::Variant(StoredText(field, config)));
    return parameters;
}

// The field of an editor's row (0 the first): the fields that have a row, in the order of the
// table.
template <class Config>
const ConfigField<Config>& EditorRow(const ConfigTable<Config>& table, int index)
{
    for (const ConfigField<Config>& field : table.fields)
        if (field.editor.caption && index-- == 0)
            return field;
    throw std::out_of_range("no such editor row");
}

namespace detail {
template <class Config>
std::vector<const ConfigField<Config>*> rows(const ConfigTable<Config>& table, int ConfigField<Config>::* position)
{
    std::vector<const ConfigField<Config>*> shown;
    for (const ConfigField<Config>& field : table.fields)
        if (field.*position >= 0)
            shown.push_back(&field);
    std::stable_sort(shown.begin(), shown.end(),
                     [&](const auto* a, const auto* b) { return a->*position < b->*position; });
    return shown;
}

inline QString withUnit(const QString& value, const char* unit)
{
    return unit ? value + QLatin1Char(' ') + QLatin1String(unit) : value;
}
} // namespace detail

// Rows of translated caption and value, for the test guide's info view.
template <class Config>
ostrel::VariantArray InformationRows(const ConfigTable<Config>& table, const Config& config)
{
    const auto shown = detail::rows(table, &ConfigField<Config>::infoRow);
    ostrel::VariantArray rows(static_cast<int>(shown.size()), 2);
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        const ConfigField<Config>& field = *shown[static_cast<size_t>(i)];
        rows.at(i, 0) = ostrel::tr4410(QLatin1String(field.caption));
        rows.at(i, 1) = field.text ? field.text(config, Value(field, config)) : detail::withUnit(StoredText(field, config), field.unit);
    }
    return rows;
}

// The configuration table of the report.
template <class Config>
void PrintReport(const ConfigTable<Config>& table, const Config& config, const ostrel::ReportPtr& report)
{
    std::vector<std::pair<QString, QString>> rows;
    for (const ConfigField<Config>* field : detail::rows(table, &ConfigField<Config>::reportRow)) {
        const QString value = field->reportFormat
            ? ostrel::formatNumber(Value(*field, config).toDouble(), QLatin1String(field->reportFormat))
            : StoredText(*field, config);
        rows.emplace_back(QLatin1String(field->caption), field->text ? field->text(config, Value(*field, config)) : detail::withUnit(value, field->unit));
    }
    MConfigStore::PrintTable(report, rows);
}

} // namespace MConfigFields

} // namespace nb4410
