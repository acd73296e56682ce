#include "Tokenizer.h"

#include <utility>

namespace ostrel {

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
