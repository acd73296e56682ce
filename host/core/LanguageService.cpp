#include "LanguageService.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QFile>

namespace ostrel {

namespace {

// "NNNNN::default text": the number and the default, or number -1 when the text has no number.
struct NumberedText {
    int number = -1;
    QString defaultText;
};

NumberedText splitNumbered(const QString& text)
{
    const qsizetype colons = text.indexOf(QLatin1String("::"));
    if (colons <= 0)
        return {-1, text};
    bool ok = false;
    const int number = text.left(colons).trimmed().toInt(&ok);
    if (!ok || number < 0)
        return {-1, text};
    return {number, text.mid(colons + 2)};
}

// "%%1", "%%2", ... by the parameters of that position, in one pass, so that a parameter's
// own text is never scanned again; a placeholder without a parameter stays as it is.
QString fillParameters(const QString& text, const VariantArray& params)
{
    if (params.count() == 0 || !text.contains(QLatin1String("%%")))
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == QLatin1Char('%') && i + 2 < text.size() && text[i + 1] == QLatin1Char('%')
            && text[i + 2].isDigit()) {
            qsizetype j = i + 2;
            while (j < text.size() && text[j].isDigit() && text[j].unicode() < 128)
                ++j;
            bool ok = false;
            const int index = QStringView(text).mid(i + 2, j - i - 2).toInt(&ok);
            if (ok && index >= 1 && index <= params.count()) {
                out += params.items()[static_cast<size_t>(index - 1)].text();
                i = j;
                continue;
            }
        }
        out += text[i];
        ++i;
    }
    return out;
}

// One line of a translation file: "NNNNN=text", where "\n", "\r" and "\\" stand for a line
// feed, a carriage return and a backslash. Blank lines and lines starting with ";" or "#" are
// comments.
QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (next == QLatin1Char('r')) {
                out += QLatin1Char('\r');
                ++i;
                continue;
            }
            if (next == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QHash<int, QString> readTranslationFile(const QString& path)
{
    QHash<int, QString> table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QString content = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(content).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        bool ok = false;
        const int number = line.left(eq).trimmed().toInt(&ok);
        if (ok)
            table.insert(number, unescape(line.mid(eq + 1)));
    }
    return table;
}

// Between the module's translation file and the default text: the application's Qt
// translators (translations/), which hold the numbered texts of every module in the context
// "NumberedTexts", the whole "NNNNN::default" as the source (without carriage returns, which
// XML does not keep). Null when none translates it.
QString translatedByQt(const QString& text)
{
    QString source = text;
    source.remove(QLatin1Char('\r'));
    const QByteArray key = source.toUtf8();
    const QString translated = QCoreApplication::translate("NumberedTexts", key.constData());
    return translated == source ? QString() : translated;
}

QString fileNameOf(const QString& module)
{
    return module.isEmpty() ? QStringLiteral("default.lng") : module + QStringLiteral(".lng");
}

} // namespace

LanguageService& LanguageService::instance()
{
    static LanguageService service;
    return service;
}

QString LanguageService::Translate(const QString& module, const QString& text, const VariantArray& params)
{
    const NumberedText numbered = splitNumbered(text);
    QString resolved = numbered.defaultText;
    if (numbered.number >= 0) {
        // A numbered text is written as in the language files, whatever it comes from: its "\n"
        // is a line break in the default and in the compiled translations too.
        resolved = unescape(numbered.defaultText);
        const QString translated = lookup(module, numbered.number);
        if (!translated.isNull())
            resolved = translated;
        else if (const QString fromQt = translatedByQt(text); !fromQt.isNull())
            resolved = unescape(fromQt);
    }
    return fillParameters(resolved, params);
}

QString LanguageService::lookup(const QString& module, int number)
{
    auto it = m_tables.find(module);
    if (it == m_tables.end()) {
        QString folder = LanguageFolder();
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        it = m_tables.insert(module, readTranslationFile(folder + fileNameOf(module)));
    }
    return it->value(number, QString());
}

void LanguageService::SetLanguageFolder(const QString& folder)
{
    m_folder = folder;
    m_tables.clear();
}

QString LanguageService::LanguageFolder() const
{
    return m_folder.isEmpty() ? Paths::DataFile(QStringLiteral("Language")) : m_folder;
}

bool LanguageService::IsNumbered(const QString& text)
{
    return splitNumbered(text).number >= 0;
}

} // namespace ostrel
