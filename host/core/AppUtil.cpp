#include "AppUtil.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ostrel {

QString AppPath()
{
    QString folder;
    if (QCoreApplication::instance())
        folder = QCoreApplication::applicationDirPath();
    else
        folder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString ProjectVersion()
{
    return QStringLiteral(OSTREL_VERSION);
}

} // namespace ostrel
