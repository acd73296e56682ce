#include "RegistryStore.h"

#include "Paths.h"
#include "RegistryFile.h"

#include <QDir>
#include <QFileInfo>

namespace ostrel {

namespace {

QStringList splitPath(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

} // namespace

RegistryStore& RegistryStore::instance()
{
    static RegistryStore store;
    return store;
}

QStringList RegistryStore::DefaultMachineFiles()
{
    const QDir dir(Paths::DataFile(QStringLiteral("registry")));
    QStringList files;
    for (const QString& name : dir.entryList({QStringLiteral("*.reg")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

QString RegistryStore::DefaultUserFile()
{
    const QString fromEnvironment = qEnvironmentVariable("OSTREL_USER_REGISTRY");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return Paths::UserConfigDir() + QStringLiteral("user.reg");
}

QStringList RegistryStore::MachineFiles() const
{
    std::lock_guard lock(m_mutex);
    return m_machineFiles ? *m_machineFiles : DefaultMachineFiles();
}

QString RegistryStore::UserFile() const
{
    std::lock_guard lock(m_mutex);
    return m_userFile ? *m_userFile : DefaultUserFile();
}

void RegistryStore::UseFiles(const QStringList& machineFiles, const QString& userFile)
{
    std::lock_guard lock(m_mutex);
    m_machineFiles = machineFiles;
    m_userFile = userFile;
    m_loaded = false;
}

void RegistryStore::UseDefaultFiles()
{
    std::lock_guard lock(m_mutex);
    m_machineFiles.reset();
    m_userFile.reset();
    m_loaded = false;
}

void RegistryStore::Reload()
{
    std::lock_guard lock(m_mutex);
    m_loaded = false;
}

void RegistryStore::ensureLoaded()
{
    if (m_loaded)
        return;
    // Everything is read before anything is kept, so a faulty file leaves nothing half-loaded.
    auto machine = std::make_shared<RegistryNode>();
    for (const QString& file : m_machineFiles ? *m_machineFiles : DefaultMachineFiles())
        machine->merge(*RegistryFile::Load(file));
    const QString userFile = m_userFile ? *m_userFile : DefaultUserFile();
    auto user = QFileInfo::exists(userFile) ? RegistryFile::Load(userFile) : std::make_shared<RegistryNode>();
    m_machine = std::move(machine);
    m_user = std::move(user);
    rebuildMerged();
    m_loaded = true;
}

void RegistryStore::rebuildMerged()
{
    auto merged = m_machine->deepCopy();
    merged->merge(*m_user);
    m_merged = std::move(merged);
}

RegistryNodePtr RegistryStore::findNode(const QString& path) const
{
    RegistryNodePtr node = m_merged;
    for (const QString& part : splitPath(path)) {
        node = node->findChild(part);
        if (!node)
            return nullptr;
    }
    return node;
}

RegistryKeyPtr RegistryStore::Open(Hive, const QString& path)
{
    std::lock_guard lock(m_mutex);
    ensureLoaded();
    const QStringList parts = splitPath(path);
    if (parts.isEmpty())
        return nullptr;
    auto node = findNode(path);
    return node ? std::make_shared<RegistryKey>(parts.join(QLatin1Char('\\')), node) : nullptr;
}

void RegistryStore::SetValue(Hive, const QString& path, const QString& name, const Variant& value)
{
    std::lock_guard lock(m_mutex);
    ensureLoaded();
    const QStringList parts = splitPath(path);
    if (parts.isEmpty())
        throw ComError(kE_InvalidArg, QStringLiteral("ostrel.RegistryStore"),
                       QStringLiteral("A value needs a key below the hive"), 1);
    auto user = m_user->deepCopy();
    RegistryNodePtr node = user;
    for (const QString& part : parts)
        node = node->ensureChild(part);
    node->setValue(name, value);
    RegistryFile::Save(*user, m_userFile ? *m_userFile : DefaultUserFile());
    m_user = std::move(user);
    rebuildMerged();
}

void RegistryStore::DeleteKey(Hive, const QString& path)
{
    std::lock_guard lock(m_mutex);
    ensureLoaded();
    QStringList parts = splitPath(path);
    if (parts.isEmpty())
        return;
    auto user = m_user->deepCopy();
    const QString last = parts.takeLast();
    RegistryNodePtr node = user;
    for (const QString& part : parts) {
        node = node->findChild(part);
        if (!node)
            return;
    }
    if (!node->findChild(last))
        return;
    node->removeChild(last);
    RegistryFile::Save(*user, m_userFile ? *m_userFile : DefaultUserFile());
    m_user = std::move(user);
    rebuildMerged();
}

} // namespace ostrel
