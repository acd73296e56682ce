#pragma once
// Which serial port carries which instrument. The ports are the sub-keys of
// "Software\Halvard\Ostrel\DataLink\Ports" in the registry store, named by their number, each
// with "Instrument" (for example "NB-4410") and "Device" (a serial device path, "simulator"
// for the built-in instrument simulator on a pseudo-terminal, or "auto" for the first real
// serial port found when the port is opened). A map set in-process replaces the registry's
// (tests, a tool's --device option). A built-in simulator is started once and serves every
// link opened on its port while its options stay the same, as an instrument on its cable
// would: a run of many elements pays for one simulator and pseudo-terminal, and, through the
// port park, for one opening of the simulator's port.
#include "IVirtualDevice.h"
#include "Link.h"
#include "LinkSettings.h"
#include "PortPark.h"

#include <QHash>
#include <QString>
#include <functional>
#include <map>
#include <optional>

namespace ostrel {

struct PortEntry {
    QString instrument;
    QString device;
    QHash<QString, QString> values; // every value of the port's key, "Device" and "TimeScale" included
};

using PortMap = std::map<std::int32_t, PortEntry>;

class PortRegistry : public IObject {
public:
    static inline const QString kPortsKey = QStringLiteral("Software\\Halvard\\Ostrel\\DataLink\\Ports");
    static inline const QString kSimulatorDevice = QStringLiteral("simulator");
    static inline const QString kAutoDevice = QStringLiteral("auto");

    // The lowest port number whose "Instrument" is instrument (letter case ignored), 0 when
    // none. A non-empty serialNo also requires the port's "SerialNo" value to match.
    std::int32_t FindPort(const QString& instrument, const QString& serialNo);
    // Opens the port's device with settings ("38400,O,8,1"). Fails with
    // kDataLinkUnknownPort, kDataLinkInvalidSettings or kDataLinkOpenFailed.
    LinkPtr OpenLink(std::int32_t port, const QString& settings);

    PortMap Ports();
    void SetPorts(PortMap ports);
    void ResetPorts(); // back to the registry store

    // How a port is opened; tests put scripted transports here.
    using Opener = std::function<LinkPtr(const PortEntry& entry, const LinkSettings& settings)>;
    void SetOpener(Opener opener) { m_opener = std::move(opener); }

    static PortMap ReadRegistry();
    LinkPtr OpenSerial(std::int32_t port, const PortEntry& entry, const LinkSettings& settings);
    // Closes the parked port and stops the simulators started for the ports.
    void StopDevices();
    PortParkPtr Park() const { return m_park; }

    PortRegistry() = default;
    ~PortRegistry() override;
    PortRegistry(const PortRegistry&) = delete;
    PortRegistry& operator=(const PortRegistry&) = delete;
    // The device "auto" stands for: USB adapters first, then the machine's own ports; empty
    // when the machine has none.
    static QString FirstRealPort();

private:
    struct RunningDevice {
        VirtualDevicePtr device;
        QHash<QString, QString> options;
        QString path;
    };
    // The port's simulator, started anew when its options changed or it stopped serving.
    QString simulatorPath(std::int32_t port, const PortEntry& entry);

    std::optional<PortMap> m_override;
    Opener m_opener;
    std::map<std::int32_t, RunningDevice> m_devices;
    PortParkPtr m_park = std::make_shared<PortPark>();
};

using PortRegistryPtr = std::shared_ptr<PortRegistry>;

} // namespace ostrel
