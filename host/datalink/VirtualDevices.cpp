#include "VirtualDevices.h"

#include "DataLinkErrors.h"
#include "host/core/Paths.h"
#include "host/core/ClassRegistry.h"

#include <QFileInfo>
#include <QLibrary>

namespace ostrel {

namespace {

VirtualDevicePtr tryCreate()
{
    try {
        return query<IVirtualDevice>(ClassRegistry::instance().Create(VirtualDevices::kSimulatorProgId));
    } catch (const ComError&) {
        return nullptr;
    }
}

void loadFromApplicationFolder()
{
    const QString path = Paths::LibraryFile(VirtualDevices::kSimulatorLibrary);
    if (!QFileInfo::exists(path))
        return;
    QLibrary library(path);
    library.setLoadHints(QLibrary::ExportExternalSymbolsHint);
    library.load(); // kept loaded for the life of the process: its registrars stay valid
}

} // namespace

VirtualDevicePtr VirtualDevices::Create(const PortEntry& entry)
{
    VirtualDevicePtr device = tryCreate();
    if (!device) {
        loadFromApplicationFolder();
        device = tryCreate();
    }
    if (!device)
        raiseDataLinkError(kDataLinkOpenFailed,
                           QStringLiteral("\"%1\": the simulator (%2) is not available.").arg(entry.device, kSimulatorProgId));
    return device;
}

QHash<QString, QString> VirtualDevices::Options(const PortEntry& entry)
{
    QHash<QString, QString> options = entry.values;
    const auto override = [&](const char* variable, const QString& name) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            options.insert(name, QString::fromLocal8Bit(value));
    };
    override(kSpeedVariable, QStringLiteral("TimeScale"));
    override(kPacingVariable, QStringLiteral("Pacing"));
    override(kStateVariable, QStringLiteral("StateFile"));
    return options;
}

} // namespace ostrel
