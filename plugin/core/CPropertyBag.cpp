#include "CPropertyBag.h"

namespace nb4410 {

namespace {

constexpr char kSignature[] = "OPB1\n";

// One "<n>:<bytes>" field at pos; false when the bytes do not hold one.
bool readField(const QByteArray& data, qsizetype& pos, QByteArray& out)
{
    qsizetype colon = pos;
    while (colon < data.size() && data[colon] >= '0' && data[colon] <= '9' && colon - pos < 9)
        ++colon;
    if (colon == pos || colon >= data.size() || data[colon] != ':')
        return false;
    const qsizetype length = data.mid(pos, colon - pos).toLongLong();
    const qsizetype start = colon + 1;
    if (length > data.size() - start)
        return false;
    out = data.mid(start, length);
    pos = start + length;
    return true;
}

void writeField(QByteArray& data, const QByteArray& field)
{
    data += QByteArray::number(field.size()) + ':' + field;
}

} // namespace

void CPropertyBag::WriteProperty(const QString& name, const QString& value, const QString& defaultValue)
{
    std::erase_if(m_values, [&](const auto& entry) { return entry.first == name; });
    if (value != defaultValue)
        m_values.emplace_back(name, value);
}

QString CPropertyBag::ReadProperty(const QString& name, const QString& defaultValue) const
{
    for (const auto& [n, v] : m_values)
        if (n == name)
            return v;
    return defaultValue;
}

QByteArray CPropertyBag::Contents() const
{
    QByteArray data(kSignature);
    for (const auto& [name, value] : m_values) {
        writeField(data, name.toUtf8());
        writeField(data, value.toUtf8());
        data += '\n';
    }
    return data;
}

bool CPropertyBag::SetContents(const QByteArray& contents)
{
    m_values.clear();
    if (!contents.startsWith(kSignature))
        return false;
    std::vector<std::pair<QString, QString>> values;
    qsizetype pos = static_cast<qsizetype>(sizeof kSignature - 1);
    while (pos < contents.size()) {
        QByteArray name, value;
        if (!readField(contents, pos, name) || !readField(contents, pos, value) || pos >= contents.size()
            || contents[pos] != '\n')
            return false;
        ++pos;
        values.emplace_back(QString::fromUtf8(name), QString::fromUtf8(value));
    }
    m_values = std::move(values);
    return true;
}

} // namespace nb4410
