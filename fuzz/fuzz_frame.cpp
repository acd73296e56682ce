// Fuzzing the receiving side of the wire framing: any bytes, split anywhere, must decode
// without fault, and every frame accepted must survive encoding again unchanged.
#include "host/datalink/FrameCodec.h"
#include "host/datalink/FrameDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the chunk size, so frames split across reads are covered too.
    const size_t chunk = 1 + data[0] % 64;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));

    ostrel::FrameDecoder decoder;
    std::uint64_t messages = 0;
    std::uint64_t dropped = 0;
    for (qsizetype at = 0; at < bytes.size(); at += static_cast<qsizetype>(chunk)) {
        const auto part = bytes.sliced(at, std::min<qsizetype>(static_cast<qsizetype>(chunk), bytes.size() - at));
        for (const ostrel::DecodedFrame& frame : decoder.feed(part)) {
            if (frame.kind == ostrel::DecodedFrame::Kind::Dropped) {
                ++dropped;
                continue;
            }
            ++messages;
            if (!ostrel::FrameCodec::isValidName(frame.name.toLatin1()))
                std::abort();
            // Invalid UTF-8 comes back as replacement characters, which encode again as valid text.
            const QByteArray again = ostrel::FrameCodec::encode(frame.name, frame.fields);
            ostrel::FrameDecoder check;
            const auto round = check.feed(again);
            if (round.size() != 1 || round[0].name != frame.name || round[0].fields != frame.fields)
                std::abort();
        }
    }
    if (decoder.counters().received != messages || decoder.counters().dropped != dropped)
        std::abort();
    return 0;
}
