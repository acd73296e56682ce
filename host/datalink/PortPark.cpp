#include "PortPark.h"

#include "host/core/Steps.h"

namespace ostrel {

PortPark::PortPark(int keepOpenMs)
{
    m_expiry.setSingleShot(true);
    m_expiry.setInterval(keepOpenMs);
    connect(&m_expiry, &QTimer::timeout, this, &PortPark::CloseParked);
}

PortPark::~PortPark()
{
    CloseParked();
}

std::unique_ptr<QSerialPort> PortPark::Take(const QString& devicePath)
{
    if (m_devicePath != devicePath) {
        CloseParked();
        return nullptr;
    }
    m_expiry.stop();
    std::unique_ptr<QSerialPort> port = std::move(m_port);
    m_devicePath.clear();
    if (!port)
        return nullptr;
    port->disconnect(this);
    // A device that went away while parked is opened anew, and fails there if it is gone.
    if (!port->isOpen() || port->error() != QSerialPort::NoError) {
        runStep("close a failed parked port", [&] { port->close(); });
        return nullptr;
    }
    return port;
}

void PortPark::Park(std::unique_ptr<QSerialPort> port, const QString& devicePath)
{
    CloseParked();
    if (!port || !port->isOpen())
        return;
    port->disconnect();
    // A terminal that goes away while parked lets go of its lock at once, not at the expiry.
    connect(port.get(), &QSerialPort::errorOccurred, this, &PortPark::onParkedError);
    m_port = std::move(port);
    m_devicePath = devicePath;
    m_expiry.start();
}

void PortPark::onParkedError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    const QSerialPort* failed = qobject_cast<QSerialPort*>(sender());
    // Not from inside the port's own signal; by then it may have been taken or replaced.
    QMetaObject::invokeMethod(
        this, [this, failed] { if (m_port.get() == failed) CloseParked(); }, Qt::QueuedConnection);
}

void PortPark::CloseParked()
{
    m_expiry.stop();
    m_devicePath.clear();
    if (!m_port)
        return;
    const std::unique_ptr<QSerialPort> port = std::move(m_port);
    runStep("close the parked port", [&] { port->close(); });
}

} // namespace ostrel
