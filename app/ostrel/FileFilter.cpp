#include "FileFilter.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace ostrel {

QStringList FileFilter::Extensions(const QString& filter)
{
    // The patterns stand between the last parentheses; without them the filter is its patterns.
    const int open = filter.lastIndexOf(QLatin1Char('('));
    const int close = filter.lastIndexOf(QLatin1Char(')'));
    const QString patterns = open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    QStringList extensions;
    static const QRegularExpression kSpaces(QStringLiteral("\\s+"));
    for (const QString& pattern : patterns.split(kSpaces, Qt::SkipEmptyParts)) {
        if (!pattern.startsWith(QLatin1String("*.")) || pattern.size() < 3)
            return {}; // "*" or a name pattern: any name will do
        extensions << pattern.mid(2);
    }
    return extensions;
}

QString FileFilter::WithExtension(const QString& path, const QString& filter)
{
    const QStringList extensions = Extensions(filter);
    if (path.isEmpty() || extensions.isEmpty())
        return path;
    const QString suffix = QFileInfo(path).suffix();
    for (const QString& extension : extensions)
        if (suffix.compare(extension, Qt::CaseInsensitive) == 0)
            return path;
    return path + QLatin1Char('.') + extensions.first();
}

} // namespace ostrel
