#include "RegistryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <cctype>

namespace ostrel {

namespace {

constexpr char kSource[] = "ostrel.RegistryStore";

class LineParser {
public:
    LineParser(const QString& fileName, int lineNumber) : m_fileName(fileName), m_line(lineNumber) {}

    [[noreturn]] void fail(const QString& what) const
    {
        throw ComError(kRegistryFileInvalid, kSource,
                       QStringLiteral("%1, line %2: %3").arg(m_fileName, QString::number(m_line), what), 1);
    }

    // "[HKEY_LOCAL_MACHINE\a\b]" -> {"a", "b"}
    QStringList keyPath(QStringView line) const
    {
        if (!line.endsWith(QLatin1Char(']')))
            fail(QStringLiteral("a key line must end with \"]\""));
        const QStringView inner = line.mid(1, line.size() - 2);
        if (inner.startsWith(QLatin1Char('-')))
            fail(QStringLiteral("deleting keys is not supported"));
        QStringList parts = inner.toString().split(QLatin1Char('\\'));
        if (parts.first().compare(QLatin1String(RegistryFile::kHive), Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("unknown hive \"%1\"").arg(parts.first()));
        parts.removeFirst();
        for (const QString& part : parts)
            if (part.isEmpty())
                fail(QStringLiteral("empty key name"));
        return parts;
    }

    // A quoted text starting at pos (on the opening quote); pos ends after the closing quote.
    QString quoted(QStringView line, qsizetype& pos) const
    {
        QString out;
        ++pos;
        while (pos < line.size()) {
            const QChar c = line[pos++];
            if (c == QLatin1Char('"'))
                return out;
            if (c == QLatin1Char('\\')) {
                if (pos >= line.size())
                    fail(QStringLiteral("unterminated text"));
                const QChar next = line[pos++];
                if (next != QLatin1Char('\\') && next != QLatin1Char('"'))
                    fail(QStringLiteral("unknown escape \"\\%1\"").arg(next));
                out += next;
                continue;
            }
            out += c;
        }
        fail(QStringLiteral("unterminated text"));
    }

    std::pair<QString, Variant> value(QStringView line) const
    {
        qsizetype pos = 0;
        QString name;
        if (line.startsWith(QLatin1Char('@')))
            pos = 1; // the key's default value has the empty name
        else if (line.startsWith(QLatin1Char('"')))
            name = quoted(line, pos);
        else
            fail(QStringLiteral("expected a key, a value or a comment"));
        if (pos >= line.size() || line[pos] != QLatin1Char('='))
            fail(QStringLiteral("expected \"=\" after the value name"));
        ++pos;
        const QStringView rest = line.mid(pos);
        if (rest.startsWith(QLatin1Char('"'))) {
            qsizetype p = 0;
            QString text = quoted(rest, p);
            if (!rest.mid(p).trimmed().isEmpty())
                fail(QStringLiteral("unexpected characters after the text"));
            return {name, Variant(text)};
        }
        if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
            const QStringView digits = rest.mid(6).trimmed();
            bool ok = digits.size() >= 1 && digits.size() <= 8;
            for (QChar c : digits)
                ok = ok && c.unicode() < 128 && std::isxdigit(static_cast<unsigned char>(c.toLatin1()));
            if (!ok)
                fail(QStringLiteral("a dword needs one to eight hexadecimal digits"));
            const auto number = static_cast<std::uint32_t>(digits.toULong(nullptr, 16));
            return {name, Variant(static_cast<std::int32_t>(number))};
        }
        if (rest == QLatin1String("-"))
            fail(QStringLiteral("deleting values is not supported"));
        fail(QStringLiteral("unsupported value type"));
    }

private:
    const QString& m_fileName;
    int m_line;
};

QString decode(const QByteArray& content)
{
    if (content.startsWith("\xFF\xFE")) // UTF-16LE, as the registry editor exports
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(content.constData() + 2), (content.size() - 2) / 2);
    if (content.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(content.mid(3));
    return QString::fromUtf8(content);
}

QString quote(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString formatValue(const Variant& value)
{
    if (value.type() == VarType::Long || value.type() == VarType::Integer || value.type() == VarType::Byte
        || value.type() == VarType::Boolean)
        return QStringLiteral("dword:%1").arg(static_cast<std::uint32_t>(value.toLong()), 8, 16, QLatin1Char('0'));
    return quote(value.text());
}

void formatKey(const RegistryNode& node, const QString& path, QString& out)
{
    out += QLatin1Char('[') + path + QLatin1String("]\n");
    for (const auto& [name, value] : node.values) {
        out += name.isEmpty() ? QStringLiteral("@") : quote(name);
        out += QLatin1Char('=') + formatValue(value) + QLatin1Char('\n');
    }
    out += QLatin1Char('\n');
    for (const auto& child : node.children)
        formatKey(*child, path + QLatin1Char('\\') + child->name, out);
}

} // namespace

RegistryNodePtr RegistryFile::Parse(const QByteArray& content, const QString& fileName)
{
    const QString text = decode(content);
    auto root = std::make_shared<RegistryNode>();
    RegistryNodePtr current;
    bool headerSeen = false;
    int lineNumber = 0;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        ++lineNumber;
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        LineParser parser(fileName, lineNumber);
        if (!headerSeen) {
            if (line != QLatin1String(kHeader))
                parser.fail(QStringLiteral("expected \"%1\"").arg(QLatin1String(kHeader)));
            headerSeen = true;
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            current = root;
            for (const QString& part : parser.keyPath(line))
                current = current->ensureChild(part);
            continue;
        }
        if (!current)
            parser.fail(QStringLiteral("a value before the first key"));
        if (current == root)
            parser.fail(QStringLiteral("values cannot sit on the hive itself"));
        auto [name, value] = parser.value(line);
        current->setValue(name, value);
    }
    if (!headerSeen)
        LineParser(fileName, lineNumber).fail(QStringLiteral("the file is empty"));
    return root;
}

RegistryNodePtr RegistryFile::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ComError(kErrFileNotFound, kSource, QStringLiteral("%1: %2").arg(path, file.errorString()), 1);
    return Parse(file.readAll(), path);
}

QByteArray RegistryFile::Format(const RegistryNode& root)
{
    QString out = QLatin1String(kHeader) + QLatin1String("\n\n");
    for (const auto& child : root.children)
        formatKey(*child, QLatin1String(kHive) + QLatin1Char('\\') + child->name, out);
    return out.toUtf8();
}

void RegistryFile::Save(const RegistryNode& root, const QString& path)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    QSaveFile file(path); // writes a temporary file and renames it on commit
    if (!file.open(QIODevice::WriteOnly))
        throw ComError(kE_Fail, kSource, QStringLiteral("%1: %2").arg(path, file.errorString()), 1);
    file.write(Format(root));
    if (!file.commit())
        throw ComError(kE_Fail, kSource, QStringLiteral("%1: %2").arg(path, file.errorString()), 1);
}

} // namespace ostrel
