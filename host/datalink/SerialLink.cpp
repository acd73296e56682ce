#include "SerialLink.h"

#include "DataLinkErrors.h"
#include "host/core/Steps.h"

namespace ostrel {

SerialLink::SerialLink(const QString& devicePath, const LinkSettings& settings, VirtualDevicePtr device, PortParkPtr park)
    : m_devicePath(devicePath), m_device(std::move(device)), m_park(std::move(park))
{
    try {
        open(settings);
    } catch (...) {
        if (m_device)
            runStep("stop the device of a link that did not open", [&] { m_device->Stop(); });
        throw;
    }
    // Whatever the line held before this link opened is no answer to anything it will send.
    m_port->clear();
    connect(m_port.get(), &QSerialPort::readyRead, this, &SerialLink::onReadyRead);
    connect(m_port.get(), &QSerialPort::errorOccurred, this, &SerialLink::onError);
}

void SerialLink::open(const LinkSettings& settings)
{
    if (m_park)
        m_port = m_park->Take(m_devicePath);
    if (!m_port) {
        m_port = std::make_unique<QSerialPort>();
        m_port->setPortName(m_devicePath);
        if (!m_port->open(QIODevice::ReadWrite))
            raiseDataLinkError(kDataLinkOpenFailed, openFailure());
    }
    // A parked port is configured again too: this link may ask for other settings.
    const bool configured = m_port->setBaudRate(settings.baudRate) && m_port->setParity(settings.parity) &&
                            m_port->setDataBits(settings.dataBits) && m_port->setStopBits(settings.stopBits) &&
                            m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString why = m_port->errorString();
        m_port->close();
        raiseDataLinkError(kDataLinkOpenFailed, QStringLiteral("%1: %2").arg(m_devicePath, why));
    }
}

QString SerialLink::openFailure() const
{
    QString text = QStringLiteral("%1: %2").arg(m_devicePath, m_port->errorString());
    // Qt says the same for a port another program holds and for one this user may not open;
    // the second is what a new installation meets first.
    if (m_port->error() == QSerialPort::PermissionError)
        text += QStringLiteral(" (another program holds the port, or this user may not open it: serial ports "
                               "belong to the group \"dialout\")");
    return text;
}

SerialLink::~SerialLink()
{
    Close();
}

void SerialLink::onReadyRead()
{
    const QByteArray bytes = m_port->readAll();
    receiveBytes(bytes);
}

void SerialLink::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    failPort(QStringLiteral("%1: %2").arg(m_devicePath, m_port->errorString()));
    // A dead device keeps signalling; stop listening to it (queued: the port is inside its own signal).
    QMetaObject::invokeMethod(
        this, [this] { if (m_port && m_port->isOpen()) m_port->close(); }, Qt::QueuedConnection);
}

void SerialLink::writeBytes(const QByteArray& frame)
{
    if (!m_port || m_port->write(frame) != frame.size())
        raiseDataLinkError(kDataLinkPortFailure,
                           QStringLiteral("%1: %2").arg(m_devicePath, m_port ? m_port->errorString() : QString()));
}

void SerialLink::closeTransport()
{
    if (!m_port)
        return;
    disconnect(m_port.get(), nullptr, this, nullptr);
    runStep("flush the serial port", [&] {
        if (m_port->isOpen() && m_port->bytesToWrite() > 0)
            m_port->waitForBytesWritten(100);
    });
    // The in-process device goes with this link, and so does a port on it; a failed port is not
    // handed on.
    const bool handOn = m_park && !m_device && m_port->isOpen() && m_port->error() == QSerialPort::NoError;
    if (handOn)
        runStep("park the serial port", [&] { m_park->Park(std::move(m_port), m_devicePath); });
    if (m_port)
        m_port->close();
    m_port.reset();
    if (m_device) {
        runStep("stop the in-process device", [&] { m_device->Stop(); });
        m_device.reset();
    }
}

} // namespace ostrel
