#pragma once
// The wire framing of the data link, without any transport:
//   frame   = STX payload ETX crc      (crc: four uppercase hex digits, CRC-16/CCITT-FALSE of payload)
//   payload = name { US field }        (name: four ASCII letters; fields: UTF-8 texts)
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace ostrel {

class FrameCodec {
public:
    static constexpr char kStx = 0x02;
    static constexpr char kEtx = 0x03;
    static constexpr char kUs = 0x1F;
    static constexpr int kMaxPayloadBytes = 1024;
    static constexpr int kCrcDigits = 4;

    // Polynomial 0x1021, initial value 0xFFFF, no reflection, no final XOR.
    static std::uint16_t crc16(QByteArrayView bytes);

    static bool isValidName(QByteArrayView name);
    // A byte that may not stand inside a payload field (US separates fields).
    static bool isControlByte(char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }

    // The whole frame; fails with kDataLinkInvalidMessage when the name is not four letters,
    // a field holds a control byte or the payload would exceed kMaxPayloadBytes.
    static QByteArray encode(const QString& name, const QStringList& fields);
    static QByteArray payload(const QString& name, const QStringList& fields);
    // STX, payload, ETX and checksum around a payload already checked.
    static QByteArray wrap(const QByteArray& payload);
};

} // namespace ostrel
