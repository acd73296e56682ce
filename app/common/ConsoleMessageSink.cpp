#include "ConsoleMessageSink.h"

#include <QRegularExpression>
#include <cstdio>

namespace ostrel {

const char* ConsoleMessageSink::Severity(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return "warning";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::Information:
    case MessageIcon::Critical:
        break;
    }
    return "error";
}

QString ConsoleMessageSink::Flat(const QString& text)
{
    static const QRegularExpression kBreaks(QStringLiteral("\\s*(\\r\\n|\\r|\\n)+\\s*"));
    QString flat = text.trimmed();
    flat.replace(kBreaks, QStringLiteral("; "));
    return flat;
}

QString ConsoleMessageSink::Line(const char* severity, const QString& text, const QString& title) const
{
    const QString flat = Flat(text);
    const QString titled = title.isEmpty() ? flat : title + QStringLiteral(": ") + flat;
    return QStringLiteral("%1: %2: %3").arg(m_program, QString::fromLatin1(severity), titled);
}

void ConsoleMessageSink::Show(MessageIcon icon, const QString& text, const QString& title)
{
    std::fprintf(stderr, "%s\n", qUtf8Printable(Line(Severity(icon), text, title)));
    std::fflush(stderr);
}

bool ConsoleMessageSink::Confirm(const QString& text, const QString& title)
{
    std::fprintf(stderr, "%s (answered no)\n", qUtf8Printable(Line("question", text, title)));
    std::fflush(stderr);
    return false;
}

} // namespace ostrel
