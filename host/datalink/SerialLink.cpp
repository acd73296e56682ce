#include "SerialLink.h"

#include "DataLinkErrors.h"
#include "host/core/Steps.h"

namespace ostrel {

SerialLink::SerialLink(const QString& devicePath, const LinkSettings& settings, VirtualDevicePtr device)
    : m_device(std::move(device))
{
    m_port.setPortName(devicePath);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString why = m_port.errorString();
        if (m_device)
            runStep("stop the device of a link that did not open", [&] { m_device->Stop(); });
        raiseDataLinkError(kDataLinkOpenFailed, QStringLiteral("%1: %2").arg(devicePath, why));
    }
    const bool configured = m_port.setBaudRate(settings.baudRate) && m_port.setParity(settings.parity) &&
                            m_port.setDataBits(settings.dataBits) && m_port.setStopBits(settings.stopBits) &&
                            m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString why = m_port.errorString();
        m_port.close();
        if (m_device)
            runStep("stop the device of a link that did not open", [&] { m_device->Stop(); });
        raiseDataLinkError(kDataLinkOpenFailed, QStringLiteral("%1: %2").arg(devicePath, why));
    }
    // Whatever the line held before this link opened is no answer to anything it will send.
    m_port.clear();
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::onError);
}

SerialLink::~SerialLink()
{
    Close();
}

void SerialLink::onReadyRead()
{
    const QByteArray bytes = m_port.readAll();
    receiveBytes(bytes);
}

void SerialLink::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    failPort(QStringLiteral("%1: %2").arg(m_port.portName(), m_port.errorString()));
    // A dead device keeps signalling; stop listening to it (queued: the port is inside its own signal).
    QMetaObject::invokeMethod(
        this, [this] { if (m_port.isOpen()) m_port.close(); }, Qt::QueuedConnection);
}

void SerialLink::writeBytes(const QByteArray& frame)
{
    if (m_port.write(frame) != frame.size())
        raiseDataLinkError(kDataLinkPortFailure, QStringLiteral("%1: %2").arg(m_port.portName(), m_port.errorString()));
}

void SerialLink::closeTransport()
{
    disconnect(&m_port, nullptr, this, nullptr);
    runStep("flush the serial port", [&] {
        if (m_port.isOpen() && m_port.bytesToWrite() > 0)
            m_port.waitForBytesWritten(100);
    });
    m_port.close();
    if (m_device) {
        runStep("stop the in-process device", [&] { m_device->Stop(); });
        m_device.reset();
    }
}

} // namespace ostrel
