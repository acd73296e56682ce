#pragma once
// Which serial port carries which instrument. The ports are the sub-keys of
// "Software\Halvard\Ostrel\DataLink\Ports" in the registry store, named by their number, each
// with "Instrument" (for example "NB-4410") and "Device" (a serial device path, "simulator"
// for the built-in instrument simulator on a pseudo-terminal, or "auto" for the first real
// serial port found when the port is opened). A map set in-process replaces
// the registry's (tests, a tool's --device option).
#include "Link.h"
#include "LinkSettings.h"

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
    static LinkPtr OpenSerial(const PortEntry& entry, const LinkSettings& settings);
    // The device "auto" stands for: USB adapters first, then the machine's own ports; empty
    // when the machine has none.
    static QString FirstRealPort();

private:
    std::optional<PortMap> m_override;
    Opener m_opener;
};

using PortRegistryPtr = std::shared_ptr<PortRegistry>;

} // namespace ostrel
