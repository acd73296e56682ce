#pragma once
// A serial port kept open for a moment after its link closed. The elements of a run talk to one
// instrument one after the other, each opening and closing its own link; the next link to the
// same device takes the parked port over instead of opening, locking and configuring the device
// again. A port nobody takes within kKeepOpenMs is closed, so another program can have it.
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <memory>

namespace ostrel {

class PortPark : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeepOpenMs = 2000;

    explicit PortPark(int keepOpenMs = kKeepOpenMs);
    ~PortPark() override;
    PortPark(const PortPark&) = delete;
    PortPark& operator=(const PortPark&) = delete;

    // The parked port of that device, open and without an error; nullptr when there is none.
    // A port of another device is closed: it may be the same device under another name, whose
    // lock would refuse the opening that follows.
    std::unique_ptr<QSerialPort> Take(const QString& devicePath);
    // Keeps an open port that nothing reads for the next link; a port already parked is closed.
    void Park(std::unique_ptr<QSerialPort> port, const QString& devicePath);
    void CloseParked();
    bool HasParked() const { return m_port != nullptr; }

private:
    void onParkedError(QSerialPort::SerialPortError error);

    std::unique_ptr<QSerialPort> m_port;
    QString m_devicePath;
    QTimer m_expiry;
};

using PortParkPtr = std::shared_ptr<PortPark>;

} // namespace ostrel
