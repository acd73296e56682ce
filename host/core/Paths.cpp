#include "Paths.h"

#include "AppUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <dlfcn.h>

#ifndef OSTREL_RELATIVE_DATA_DIR
#define OSTREL_RELATIVE_DATA_DIR "../share/ostrel"
#endif

namespace ostrel {

namespace {

const QString kProduct = QStringLiteral("ostrel");

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// A data folder is recognised by its registry data.
bool holdsData(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder + QStringLiteral("registry")).isDir();
}

} // namespace

QString Paths::DataDir()
{
    const QString fromEnvironment = qEnvironmentVariable(kDataDirVariable);
    if (!fromEnvironment.isEmpty())
        return withSlash(fromEnvironment);
    const QString appFolder = AppPath();
    if (holdsData(appFolder))
        return appFolder;
    const QString beside = withSlash(QDir::cleanPath(appFolder + QStringLiteral(OSTREL_RELATIVE_DATA_DIR)));
    if (holdsData(beside))
        return beside;
    const QString located = QStandardPaths::locate(QStandardPaths::GenericDataLocation, kProduct, QStandardPaths::LocateDirectory);
    if (holdsData(withSlash(located)))
        return withSlash(located);
    return appFolder;
}

QString Paths::LibraryDir()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&Paths::LibraryDir), &info) && info.dli_fname) {
        const QString folder = QFileInfo(QFile::decodeName(info.dli_fname)).canonicalPath();
        if (!folder.isEmpty())
            return withSlash(folder);
    }
    return AppPath();
}

QString Paths::LibraryFile(const QString& name)
{
    if (name.isEmpty() || QFileInfo(name).isAbsolute())
        return name;
    return LibraryDir() + name;
}

QString Paths::LibraryReference(const QString& absolutePath)
{
    const QFileInfo file(absolutePath);
    if (withSlash(file.canonicalPath()) == LibraryDir())
        return file.fileName();
    return file.absoluteFilePath();
}

QString Paths::UserConfigDir()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) + kProduct + QLatin1Char('/');
}

QString Paths::UserDataDir()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) + kProduct + QLatin1Char('/');
}

} // namespace ostrel
