#include "FrameDecoder.h"

#include "FrameCodec.h"

namespace ostrel {

using Reason = DecodedFrame::DropReason;

void FrameDecoder::reset()
{
    m_stage = Stage::Hunting;
    m_payload.clear();
    m_crc.clear();
    m_fault = Reason::None;
}

void FrameDecoder::startFrame()
{
    m_stage = Stage::Payload;
    m_payload.clear();
    m_crc.clear();
    m_fault = Reason::None;
}

std::vector<DecodedFrame> FrameDecoder::feed(QByteArrayView bytes)
{
    std::vector<DecodedFrame> out;
    for (char byte : bytes) {
        if (byte == FrameCodec::kStx) {
            if (m_stage != Stage::Hunting)
                drop(Reason::Unterminated, out);
            startFrame();
            continue;
        }
        switch (m_stage) {
        case Stage::Hunting:
            ++m_counters.bytesSkipped;
            break;
        case Stage::Payload:
            payloadByte(byte);
            break;
        case Stage::Checksum:
            checksumByte(byte, out);
            break;
        }
    }
    return out;
}

void FrameDecoder::payloadByte(char byte)
{
    if (byte == FrameCodec::kEtx) {
        m_stage = Stage::Checksum;
        return;
    }
    if (m_fault != Reason::None)
        return; // the frame is lost already: wait for its end without keeping its bytes
    if (byte != FrameCodec::kUs && FrameCodec::isControlByte(byte)) {
        m_fault = Reason::ControlByte;
        return;
    }
    if (m_payload.size() >= FrameCodec::kMaxPayloadBytes) {
        m_fault = Reason::Oversize;
        m_payload.clear();
        return;
    }
    m_payload += byte;
}

void FrameDecoder::checksumByte(char byte, std::vector<DecodedFrame>& out)
{
    const bool upperHex = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'F');
    if (!upperHex) {
        // Not a checksum digit: the frame ends here, broken; the byte itself is noise.
        drop(m_fault != Reason::None ? m_fault : Reason::Checksum, out);
        ++m_counters.bytesSkipped;
        return;
    }
    m_crc += byte;
    if (m_crc.size() == FrameCodec::kCrcDigits)
        finishFrame(out);
}

void FrameDecoder::finishFrame(std::vector<DecodedFrame>& out)
{
    if (m_fault != Reason::None)
        return drop(m_fault, out);
    bool ok = false;
    const unsigned expected = m_crc.toUInt(&ok, 16);
    if (!ok || expected != FrameCodec::crc16(m_payload))
        return drop(Reason::Checksum, out);

    const QList<QByteArray> parts = m_payload.split(FrameCodec::kUs);
    if (!FrameCodec::isValidName(parts.front()))
        return drop(Reason::BadName, out);

    DecodedFrame frame;
    frame.name = QString::fromLatin1(parts.front());
    for (qsizetype i = 1; i < parts.size(); ++i)
        frame.fields.append(QString::fromUtf8(parts[i]));
    ++m_counters.received;
    out.push_back(std::move(frame));
    reset();
}

void FrameDecoder::drop(Reason reason, std::vector<DecodedFrame>& out)
{
    DecodedFrame frame;
    frame.kind = DecodedFrame::Kind::Dropped;
    frame.reason = reason;
    ++m_counters.dropped;
    out.push_back(std::move(frame));
    reset();
}

} // namespace ostrel
