#include "StringUtil.h"

#include <utility>

namespace ostrel {

QString numberToText(const Variant& value)
{
    switch (value.type()) {
    case VarType::Single:
        return numberToText(value.toSingle());
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
        return numberToText(value.toDouble());
    default:
        return value.text();
    }
}

QString Tokenizer::NextToken(const QString& delimiter)
{
    if (m_exhausted)
        return QString();
    const qsizetype at = delimiter.isEmpty() ? -1 : m_rest.indexOf(delimiter);
    if (at < 0) {
        m_exhausted = true;
        return std::exchange(m_rest, QString());
    }
    QString token = m_rest.left(at);
    m_rest.remove(0, at + delimiter.size());
    return token;
}

} // namespace ostrel
