#include "FrameCodec.h"

#include "DataLinkErrors.h"

namespace ostrel {

std::uint16_t FrameCodec::crc16(QByteArrayView bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (char c : bytes) {
        crc ^= static_cast<std::uint16_t>(static_cast<unsigned char>(c) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021) : static_cast<std::uint16_t>(crc << 1);
    }
    return crc;
}

bool FrameCodec::isValidName(QByteArrayView name)
{
    if (name.size() != 4)
        return false;
    for (char c : name) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

QByteArray FrameCodec::payload(const QString& name, const QStringList& fields)
{
    const QByteArray nameBytes = name.toUtf8();
    if (!isValidName(nameBytes))
        raiseDataLinkError(kDataLinkInvalidMessage, QStringLiteral("The message name \"%1\" is not four letters.").arg(name));
    QByteArray result = nameBytes;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QByteArray field = fields[i].toUtf8();
        for (char c : field) {
            if (isControlByte(c))
                raiseDataLinkError(kDataLinkInvalidMessage,
                                   QStringLiteral("Parameter %1 of \"%2\" holds the control byte 0x%3.")
                                       .arg(i)
                                       .arg(name)
                                       .arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0')));
        }
        result += kUs;
        result += field;
        if (result.size() > kMaxPayloadBytes)
            raiseDataLinkError(kDataLinkInvalidMessage,
                               QStringLiteral("The message \"%1\" is longer than %2 bytes.").arg(name).arg(kMaxPayloadBytes));
    }
    return result;
}

QByteArray FrameCodec::wrap(const QByteArray& payload)
{
    QByteArray frame;
    frame.reserve(payload.size() + 2 + kCrcDigits);
    frame += kStx;
    frame += payload;
    frame += kEtx;
    frame += QByteArray::number(crc16(payload), 16).rightJustified(kCrcDigits, '0').toUpper();
    return frame;
}

QByteArray FrameCodec::encode(const QString& name, const QStringList& fields)
{
    return wrap(payload(name, fields));
}

} // namespace ostrel
