#pragma once
// Points the registry store at files of the test for the life of the guard, then back at the
// application's data. The registry data shipped in the application folder (with the build's
// class registrations) can be kept as the machine data.
#include "TempFiles.h"
#include "host/core/RegistryStore.h"

namespace ostrel::testing {

class RegistryGuard {
public:
    // machineText: the test's machine file ("" for none); keepShipped: the application's data too.
    explicit RegistryGuard(const QByteArray& machineText = QByteArray(), bool keepShipped = true)
    {
        QStringList machine = keepShipped ? RegistryStore::DefaultMachineFiles() : QStringList();
        if (!machineText.isEmpty())
            machine << files.write(QStringLiteral("machine.reg"), machineText);
        RegistryStore::instance().UseFiles(machine, files.path(QStringLiteral("user.reg")));
    }
    ~RegistryGuard() { RegistryStore::instance().UseDefaultFiles(); }
    RegistryGuard(const RegistryGuard&) = delete;
    RegistryGuard& operator=(const RegistryGuard&) = delete;

    TempFiles files;
};

} // namespace ostrel::testing
