#include "LanguageService.h"

#include "AppUtil.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QWidget>

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
        const QString translated = lookup(module, numbered.number);
        if (!translated.isNull())
            resolved = translated;
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
    return m_folder.isEmpty() ? AppPath() + QStringLiteral("Language") : m_folder;
}

void LanguageService::TranslateWidget(QWidget* root, const QString& module)
{
    if (!root)
        return;
    auto tr = [&](const QString& text) { return Translate(module, text); };
    auto isNumbered = [](const QString& text) { return splitNumbered(text).number >= 0; };

    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (isNumbered(w->windowTitle()))
            w->setWindowTitle(tr(w->windowTitle()));
        if (isNumbered(w->toolTip()))
            w->setToolTip(tr(w->toolTip()));
        if (auto label = qobject_cast<QLabel*>(w); label && isNumbered(label->text()))
            label->setText(tr(label->text()));
        if (auto button = qobject_cast<QAbstractButton*>(w); button && isNumbered(button->text()))
            button->setText(tr(button->text()));
        if (auto edit = qobject_cast<QLineEdit*>(w); edit && isNumbered(edit->placeholderText()))
            edit->setPlaceholderText(tr(edit->placeholderText()));
        if (auto group = qobject_cast<QGroupBox*>(w); group && isNumbered(group->title()))
            group->setTitle(tr(group->title()));
        if (auto tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (isNumbered(tabs->tabText(i)))
                    tabs->setTabText(i, tr(tabs->tabText(i)));
                if (isNumbered(tabs->tabToolTip(i)))
                    tabs->setTabToolTip(i, tr(tabs->tabToolTip(i)));
            }
        }
        for (QAction* action : w->actions()) {
            if (isNumbered(action->text()))
                action->setText(tr(action->text()));
            if (isNumbered(action->toolTip()))
                action->setToolTip(tr(action->toolTip()));
        }
    }
    // Actions that belong to the tree without being added to a widget (toolbars' own actions).
    for (QAction* action : root->findChildren<QAction*>()) {
        if (isNumbered(action->text()))
            action->setText(tr(action->text()));
        if (isNumbered(action->toolTip()))
            action->setToolTip(tr(action->toolTip()));
    }
}

} // namespace ostrel
