#pragma once
// Receiving side of the framing: bytes in, frames out. Bytes before an STX are skipped; a
// frame with a wrong checksum, a payload over 1024 bytes, a name that is not four letters or
// another control byte is dropped and counted. An STX inside a frame abandons the broken frame
// (dropped) and starts a new one, so the decoder finds the next good frame after any noise.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace ostrel {

struct DecodedFrame {
    enum class Kind { Message, Dropped };
    enum class DropReason { None, Checksum, Oversize, BadName, ControlByte, Unterminated };

    Kind kind = Kind::Message;
    DropReason reason = DropReason::None;
    QString name;
    QStringList fields;
};

struct FrameCounters {
    std::uint64_t received = 0;     // good frames
    std::uint64_t dropped = 0;      // broken frames
    std::uint64_t bytesSkipped = 0; // noise outside frames
};

class FrameDecoder {
public:
    // Decodes what the bytes complete; a frame split over several calls is kept until its end.
    std::vector<DecodedFrame> feed(QByteArrayView bytes);
    const FrameCounters& counters() const { return m_counters; }
    void reset();

private:
    enum class Stage { Hunting, Payload, Checksum };

    void startFrame();
    void payloadByte(char byte);
    void checksumByte(char byte, std::vector<DecodedFrame>& out);
    void finishFrame(std::vector<DecodedFrame>& out);
    void drop(DecodedFrame::DropReason reason, std::vector<DecodedFrame>& out);

    Stage m_stage = Stage::Hunting;
    QByteArray m_payload;
    QByteArray m_crc;
    DecodedFrame::DropReason m_fault = DecodedFrame::DropReason::None;
    FrameCounters m_counters;
};

} // namespace ostrel
