#include "PortRegistry.h"

#include "DataLinkErrors.h"
#include "SerialLink.h"
#include "VirtualDevices.h"
#include "host/core/RegistryStore.h"
#include "host/core/Steps.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace ostrel {

PortMap PortRegistry::ReadRegistry()
{
    PortMap ports;
    const RegistryKeyPtr root = RegistryStore::instance().Open(Hive::LocalMachine, kPortsKey);
    if (!root)
        return ports;
    for (int i = 1; i <= root->SubKeyCount(); ++i) {
        const RegistryKeyPtr key = root->SubKey(i);
        if (!key)
            continue;
        bool ok = false;
        const std::int32_t number = key->Name().toInt(&ok);
        if (!ok || number <= 0)
            continue;
        PortEntry entry;
        for (const QString& name : key->ValueNames())
            entry.values.insert(name, key->Text(name));
        entry.instrument = key->Text(QStringLiteral("Instrument"));
        entry.device = key->Text(QStringLiteral("Device"));
        ports[number] = std::move(entry);
    }
    return ports;
}

PortMap PortRegistry::Ports()
{
    return m_override ? *m_override : ReadRegistry();
}

void PortRegistry::SetPorts(PortMap ports)
{
    StopDevices();
    m_override = std::move(ports);
}

void PortRegistry::ResetPorts()
{
    StopDevices();
    m_override.reset();
}

PortRegistry::~PortRegistry()
{
    StopDevices();
}

void PortRegistry::StopDevices()
{
    // A port parked on a simulator's terminal goes before the simulator does.
    runStep("close the parked port", [&] { m_park->CloseParked(); });
    for (auto& entry : m_devices) {
        const VirtualDevicePtr& device = entry.second.device;
        runStep("stop a port's simulator", [&] { device->Stop(); });
    }
    m_devices.clear();
}

std::int32_t PortRegistry::FindPort(const QString& instrument, const QString& serialNo)
{
    for (const auto& [number, entry] : Ports()) {
        if (entry.instrument.compare(instrument, Qt::CaseInsensitive) != 0)
            continue;
        if (!serialNo.isEmpty() && entry.values.value(QStringLiteral("SerialNo")) != serialNo)
            continue;
        return number;
    }
    return 0;
}

LinkPtr PortRegistry::OpenLink(std::int32_t port, const QString& settings)
{
    const LinkSettings parsed = LinkSettings::parse(settings);
    const PortMap ports = Ports();
    const auto it = ports.find(port);
    if (it == ports.end())
        raiseDataLinkError(kDataLinkUnknownPort, QStringLiteral("Port %1.").arg(port));
    return m_opener ? m_opener(it->second, parsed) : OpenSerial(port, it->second, parsed);
}

QString PortRegistry::simulatorPath(std::int32_t port, const PortEntry& entry)
{
    const QHash<QString, QString> options = VirtualDevices::Options(entry);
    const auto it = m_devices.find(port);
    if (it != m_devices.end()) {
        if (it->second.options == options && it->second.device->Serving())
            return it->second.path;
        runStep("close the parked port", [&] { m_park->CloseParked(); });
        runStep("stop a port's simulator", [&] { it->second.device->Stop(); });
        m_devices.erase(it);
    }
    VirtualDevicePtr device = VirtualDevices::Create(entry);
    const QString path = device->Start(options);
    m_devices[port] = RunningDevice{std::move(device), options, path};
    return path;
}

LinkPtr PortRegistry::OpenSerial(std::int32_t port, const PortEntry& entry, const LinkSettings& settings)
{
    // Only the built-in simulator's port is parked between links: this registry knows when that
    // terminal goes away, and a real port is not held from other programs.
    if (entry.device.compare(kSimulatorDevice, Qt::CaseInsensitive) == 0)
        return std::make_shared<SerialLink>(simulatorPath(port, entry), settings, nullptr, m_park);
    if (entry.device.isEmpty())
        raiseDataLinkError(kDataLinkOpenFailed, QStringLiteral("The port names no device."));
    if (entry.device.compare(kAutoDevice, Qt::CaseInsensitive) == 0) {
        const QString found = FirstRealPort();
        if (found.isEmpty())
            raiseDataLinkError(kDataLinkOpenFailed,
                               QStringLiteral("No serial port was found. Connect the instrument, or choose the device "
                                              "\"simulator\" for training."));
        return std::make_shared<SerialLink>(found, settings);
    }
    return std::make_shared<SerialLink>(entry.device, settings);
}

QString PortRegistry::FirstRealPort()
{
    QStringList usb;
    QStringList builtIn;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString path = info.systemLocation();
        if (info.hasVendorIdentifier() || path.contains(QLatin1String("ttyUSB")) || path.contains(QLatin1String("ttyACM")))
            usb << path;
        else
            builtIn << path;
    }
    std::sort(usb.begin(), usb.end());
    std::sort(builtIn.begin(), builtIn.end());
    const QStringList all = usb + builtIn;
    return all.value(0);
}

} // namespace ostrel
