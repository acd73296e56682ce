#pragma once
// The registry store, standing in for HKEY_LOCAL_MACHINE. The machine data is every
// "<data folder>registry/*.reg" in name order (see Paths); the user's file
// ($OSTREL_USER_REGISTRY, else $XDG_CONFIG_HOME/ostrel/user.reg) is read last and overrides it. Writes go to the user's file.
// The files are read on first use; a faulty file fails the use with an error naming the file
// and the line, and nothing of it is loaded.
#include "RegistryKey.h"
#include "host/contract/ISetup.h"

#include <QString>
#include <QStringList>
#include <mutex>
#include <optional>

namespace ostrel {

class RegistryStore {
public:
    static RegistryStore& instance();

    // The key at path ("Software\Halvard\..."; names without regard to case), or nullptr.
    RegistryKeyPtr Open(Hive hive, const QString& path);
    // Creates the key as needed, writes the value into the user's file and saves it.
    void SetValue(Hive hive, const QString& path, const QString& name, const Variant& value);
    // Removes the key and its sub-keys from the user's file (the machine data is not touched).
    void DeleteKey(Hive hive, const QString& path);

    // Points the store at other files (tests, the registration tool); read again on next use.
    void UseFiles(const QStringList& machineFiles, const QString& userFile);
    // Back to the application folder's data and the user's file.
    void UseDefaultFiles();
    // Forgets what was read; the files are read again on next use.
    void Reload();

    QStringList MachineFiles() const;
    QString UserFile() const;

    static QStringList DefaultMachineFiles();
    static QString DefaultUserFile();

private:
    RegistryStore() = default;
    void ensureLoaded(); // with m_mutex held
    void rebuildMerged();
    RegistryNodePtr findNode(const QString& path) const;

    mutable std::mutex m_mutex;
    std::optional<QStringList> m_machineFiles; // unset: the defaults
    std::optional<QString> m_userFile;
    bool m_loaded = false;
    RegistryNodePtr m_machine; // the machine files merged
    RegistryNodePtr m_user;    // the user's file alone
    RegistryNodePtr m_merged;  // what Open sees
};

} // namespace ostrel
