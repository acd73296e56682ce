#pragma once
// "38400,O,8,1": baud rate, parity (N, O, E, M, S), data bits (5..8), stop bits (1, 1.5, 2).
#include <QSerialPort>
#include <QString>
#include <cstdint>

namespace ostrel {

struct LinkSettings {
    qint32 baudRate = 38400;
    QSerialPort::Parity parity = QSerialPort::OddParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // Fails with kDataLinkInvalidSettings naming the part that is wrong.
    static LinkSettings parse(const QString& text);
    // Bits on the line per byte: start, data, parity, stop.
    int bitsPerByte() const;
    // How long bytes take on the line, in nanoseconds: the one place byte times come from.
    std::int64_t WireTimeNs(qsizetype bytes) const
    {
        return static_cast<std::int64_t>(bytes) * bitsPerByte() * 1'000'000'000LL / baudRate;
    }
};

} // namespace ostrel
