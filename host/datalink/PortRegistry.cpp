#include "PortRegistry.h"

#include "DataLinkErrors.h"
#include "SerialLink.h"
#include "VirtualDevices.h"
#include "host/core/RegistryStore.h"

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
    m_override = std::move(ports);
}

void PortRegistry::ResetPorts()
{
    m_override.reset();
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
    return m_opener ? m_opener(it->second, parsed) : OpenSerial(it->second, parsed);
}

LinkPtr PortRegistry::OpenSerial(const PortEntry& entry, const LinkSettings& settings)
{
    if (entry.device.compare(kSimulatorDevice, Qt::CaseInsensitive) == 0) {
        VirtualDevicePtr device = VirtualDevices::Create(entry);
        const QString path = device->Start(VirtualDevices::Options(entry));
        return std::make_shared<SerialLink>(path, settings, std::move(device));
    }
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
