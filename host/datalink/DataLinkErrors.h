#pragma once
// The data link's failure numbers and their texts, in one place.
#include "host/core/ComError.h"

namespace ostrel {

// A received frame was dropped (bad checksum, oversize, bad name, control byte).
constexpr HResult kDataLinkCorruptedFrame = hr(0x8004A424u);
// The port failed: device gone, read or write error, link closed.
constexpr HResult kDataLinkPortFailure = hr(0x8004A425u);
// A message that cannot be put on the wire (bad name, control byte in a text, too long).
constexpr HResult kDataLinkInvalidMessage = hr(0x8004A426u);
// The settings text of a link is not "baud,parity,data bits,stop bits".
constexpr HResult kDataLinkInvalidSettings = hr(0x8004A427u);
// No port of that number is registered.
constexpr HResult kDataLinkUnknownPort = hr(0x8004A428u);
// The device of a port could not be opened.
constexpr HResult kDataLinkOpenFailed = hr(0x8004A429u);

inline constexpr const char* kDataLinkSource = "OstrelDataLink";

// Fails with number and text; the text names what went wrong in the caller's words.
[[noreturn]] void raiseDataLinkError(HResult number, const QString& detail);

} // namespace ostrel
