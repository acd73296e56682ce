#pragma once
// A link over a serial device opened with QSerialPort; optionally it keeps alive the in-process
// device (simulator) that serves the other end, and stops it when closed.
#include "IVirtualDevice.h"
#include "Link.h"
#include "LinkSettings.h"

#include <QSerialPort>

namespace ostrel {

class SerialLink : public Link {
    Q_OBJECT
public:
    // Fails with kDataLinkOpenFailed when the device cannot be opened or configured.
    SerialLink(const QString& devicePath, const LinkSettings& settings, VirtualDevicePtr device = nullptr);
    ~SerialLink() override;

    QString DevicePath() const { return m_port.portName(); }

protected:
    void writeBytes(const QByteArray& frame) override;
    void closeTransport() override;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    VirtualDevicePtr m_device;
};

} // namespace ostrel
