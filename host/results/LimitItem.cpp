#include "host/results/LimitItem.h"

#include "host/core/ClassTable.h"
#include "host/results/Standards.h"
#include "host/core/BasicNumber.h"

namespace ostrel {

OSTREL_REGISTER_CLASS(kLimitItemProgId, LimitItem)

void LimitItem::Initialize(const QString& key, const QString& unit, const QString& upper, const QString& lower)
{
    m_key = key;
    m_unit = unit;
    m_unitFlag = 0;
    const QString texts[2] = {upper, lower};
    for (int index = 0; index < 2; ++index) {
        if (texts[index].trimmed().isEmpty())
            ClearLimit(index);
        else
            SetLimit(index, leadingNumber(texts[index]));
    }
}

void LimitItem::checkIndex(int index)
{
    if (index != kUpper && index != kLower)
        throw ComError(kErrSubscript, QStringLiteral("OstrelLimits.LimitItem"), QStringLiteral("Subscript out of range"));
}

bool LimitItem::IsLimitSet(int index)
{
    checkIndex(index);
    return m_set[static_cast<size_t>(index)];
}

double LimitItem::Limit(int index)
{
    checkIndex(index);
    return m_set[static_cast<size_t>(index)] ? m_limit[static_cast<size_t>(index)] : 0.0;
}

void LimitItem::SetLimit(int index, double value)
{
    checkIndex(index);
    m_set[static_cast<size_t>(index)] = true;
    m_limit[static_cast<size_t>(index)] = value;
}

void LimitItem::ClearLimit(int index)
{
    checkIndex(index);
    m_set[static_cast<size_t>(index)] = false;
    m_limit[static_cast<size_t>(index)] = 0.0;
}

std::shared_ptr<LimitItem> LimitItem::Clone() const
{
    return std::make_shared<LimitItem>(*this);
}

} // namespace ostrel
