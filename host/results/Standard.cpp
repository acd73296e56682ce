#include "host/results/Standard.h"

#include "host/core/ClassTable.h"
#include "host/results/LimitItem.h"
#include "host/results/LimitRule.h"
#include "host/results/Standards.h"
#include "host/storage/StorageElement.h"
#include "host/core/BasicNumber.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

namespace ostrel {

OSTREL_REGISTER_CLASS(kStandardProgId, Standard)

namespace {

std::shared_ptr<ILimitItem> cloneItem(const std::shared_ptr<ILimitItem>& item)
{
    if (auto own = std::dynamic_pointer_cast<LimitItem>(item))
        return own->Clone();
    auto copy = std::make_shared<LimitItem>();
    copy->Initialize(item->Key(), item->Unit(), QString(), QString());
    copy->SetUnitFlag(item->UnitFlag());
    for (int index = 0; index < 2; ++index) {
        if (item->IsLimitSet(index))
            copy->SetLimit(index, item->Limit(index));
    }
    return copy;
}

// A limit prints at its own precision (0.5 stays 0.5 under a "0" value format): what is
// printed is what is judged.
QString limitText(const std::shared_ptr<ILimitItem>& item, int index)
{
    if (!item->IsLimitSet(index))
        return QString();
    return LimitRule::Text(item->Limit(index));
}

} // namespace

void Standard::Initialize(const Variant& shortName, const Variant& fullName, std::int32_t kind)
{
    m_shortName = shortName.text();
    m_fullName = fullName.text();
    m_kind = kind;
}

void Standard::AddLimitItem(std::shared_ptr<ILimitItem> item)
{
    if (!item)
        throw ComError(kE_Pointer, QStringLiteral("OstrelLimits.Standard"), QStringLiteral("Object variable not set"));
    m_items.push_back(std::move(item));
}

void Standard::RemoveLimitItem(const std::shared_ptr<ILimitItem>& item)
{
    m_items.erase(std::remove(m_items.begin(), m_items.end(), item), m_items.end());
}

std::int32_t Standard::Evaluate(const QString& key, double value, double presetValue)
{
    std::optional<double> upper;
    std::optional<double> lower;
    for (const auto& item : m_items) {
        if (item->Key() != key)
            continue;
        if (const auto limit = LimitRule::Absolute(item, LimitItem::kUpper, presetValue))
            upper = upper ? std::min(*upper, *limit) : *limit;
        if (const auto limit = LimitRule::Absolute(item, LimitItem::kLower, presetValue))
            lower = lower ? std::max(*lower, *limit) : *limit;
    }
    const double judged = LimitRule::Canonical(value);
    if ((upper && judged > *upper) || (lower && judged < *lower))
        return kFailed;
    return kPassed;
}

bool Standard::SameNames(const QString& shortName, const QString& fullName) const
{
    return m_shortName == shortName && m_fullName == fullName;
}

std::shared_ptr<Standard> Standard::Clone() const
{
    auto copy = std::make_shared<Standard>();
    copy->m_shortName = m_shortName;
    copy->m_fullName = m_fullName;
    copy->m_kind = m_kind;
    for (const auto& item : m_items)
        copy->m_items.push_back(cloneItem(item));
    return copy;
}

StorageElement Standard::Save(const StorageDocumentPtr& document) const
{
    StorageElement element = document->CreateElement(LimitTags::kStandard);
    if (!element)
        throw ComError(kE_Fail, QStringLiteral("OstrelLimits.Standard"), QStringLiteral("The standard could not be stored."));
    element.SetAttribute(LimitTags::kShortName, m_shortName);
    element.SetAttribute(LimitTags::kFullName, m_fullName);
    element.SetAttribute(LimitTags::kKind, QString::number(m_kind));
    for (const auto& item : m_items) {
        StorageElement limit = element.AddChild(LimitTags::kLimit, QString());
        limit.SetAttribute(LimitTags::kKey, item->Key());
        limit.SetAttribute(LimitTags::kUnit, item->Unit());
        if (item->UnitFlag() != 0)
            limit.SetAttribute(LimitTags::kUnitFlag, QString::number(item->UnitFlag()));
        if (item->IsLimitSet(LimitItem::kUpper))
            limit.SetAttribute(LimitTags::kUpper, numberToText(item->Limit(LimitItem::kUpper)));
        if (item->IsLimitSet(LimitItem::kLower))
            limit.SetAttribute(LimitTags::kLower, numberToText(item->Limit(LimitItem::kLower)));
    }
    return element;
}

std::shared_ptr<Standard> Standard::Load(const StorageElement& element, QStringList* refused)
{
    if (!element || element.Name() != QLatin1String(LimitTags::kStandard))
        throw ComError(kE_InvalidArg, QStringLiteral("OstrelLimits.Standard"),
                       QStringLiteral("The element \"%1\" is no stored standard.").arg(element ? element.Name() : QString()));
    auto standard = std::make_shared<Standard>();
    standard->m_shortName = element.Attribute(LimitTags::kShortName);
    standard->m_fullName = element.Attribute(LimitTags::kFullName);
    if (element.HasAttribute(LimitTags::kKind))
        standard->m_kind = roundToLong(leadingNumber(element.Attribute(LimitTags::kKind)));
    for (int index = 0; index < element.ChildCount(); ++index) {
        const StorageElement child = element.Child(index);
        if (child.Name() != QLatin1String(LimitTags::kLimit) || child.Attribute(LimitTags::kKey).isEmpty())
            continue;
        const QString key = child.Attribute(LimitTags::kKey);
        auto refuse = [&](const QString& why) {
            if (refused)
                refused->append(why);
        };
        // A limit that is not a finite number would judge as 0 or infinity: it is refused.
        auto checked = [&](const char* name) {
            const QString text = child.Attribute(name);
            bool number = false;
            const double value = text.trimmed().toDouble(&number);
            if (text.trimmed().isEmpty() || (number && std::isfinite(value)))
                return text;
            refuse(QStringLiteral("the limit %1 %2=\"%3\" is not a finite number").arg(key, QLatin1String(name), text));
            return QString();
        };
        QString upper = checked(LimitTags::kUpper);
        QString lower = checked(LimitTags::kLower);
        // A lower limit above the upper one would fail every value; the limit editor does not
        // store such a pair, so a stored one is refused whole.
        if (!upper.trimmed().isEmpty() && !lower.trimmed().isEmpty() && lower.trimmed().toDouble() > upper.trimmed().toDouble()) {
            refuse(QStringLiteral("the limit %1 %2=\"%3\" is above its %4=\"%5\"")
                       .arg(key, QLatin1String(LimitTags::kLower), lower, QLatin1String(LimitTags::kUpper), upper));
            upper.clear();
            lower.clear();
        }
        auto item = std::make_shared<LimitItem>();
        item->Initialize(key, child.Attribute(LimitTags::kUnit), upper, lower);
        if (child.HasAttribute(LimitTags::kUnitFlag))
            item->SetUnitFlag(roundToLong(leadingNumber(child.Attribute(LimitTags::kUnitFlag))));
        standard->m_items.push_back(item);
    }
    return standard;
}

QString Standard::ReportRows(const Variant& keyTable) const
{
    QString rows;
    auto addRows = [&](const QString& key, const QString& description, const QString& /*format: limits print at their own precision*/) {
        for (const auto& item : m_items) {
            if (item->Key() != key)
                continue;
            const QString unit = item->UnitFlag() == 0 ? item->Unit() : QString();
            rows += QLatin1Char('|') + key + QLatin1Char('|') + description + QLatin1Char('|')
                  + limitText(item, LimitItem::kUpper) + QLatin1Char('|')
                  + limitText(item, LimitItem::kLower) + QLatin1Char('|') + unit + QLatin1Char(';');
        }
    };
    if (keyTable.isArray() && keyTable.array().dimensions() == 2 && keyTable.array().columns() >= 3) {
        const VariantArray& table = keyTable.array();
        for (int row = 0; row < table.rows(); ++row)
            addRows(table.at(row, 0).text(), table.at(row, 1).text(), table.at(row, 2).text());
        return rows;
    }
    // Without a key table every item is listed under its key, in the order of the items.
    QStringList keys;
    for (const auto& item : m_items) {
        if (!keys.contains(item->Key()))
            keys << item->Key();
    }
    for (const QString& key : keys)
        addRows(key, key, QString());
    return rows;
}

} // namespace ostrel
