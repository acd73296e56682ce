#pragma once
// A link over a serial device opened with QSerialPort; optionally it keeps alive the in-process
// device (simulator) that serves the other end, and stops it when closed. Given a park, it takes
// over the port a link to the same device left there and leaves its own port there when it
// closes in good order.
#include "IVirtualDevice.h"
#include "Link.h"
#include "LinkSettings.h"
#include "PortPark.h"

#include <QSerialPort>

namespace ostrel {

class SerialLink : public Link {
    Q_OBJECT
public:
    // Fails with kDataLinkOpenFailed when the device cannot be opened or configured.
    SerialLink(const QString& devicePath, const LinkSettings& settings, VirtualDevicePtr device = nullptr,
               PortParkPtr park = nullptr);
    ~SerialLink() override;

    QString DevicePath() const { return m_devicePath; }

protected:
    void writeBytes(const QByteArray& frame) override;
    void closeTransport() override;

private:
    void open(const LinkSettings& settings);
    QString openFailure() const; // the device, Qt's reason and what to check
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QString m_devicePath;
    std::unique_ptr<QSerialPort> m_port;
    VirtualDevicePtr m_device;
    PortParkPtr m_park;
};

} // namespace ostrel
