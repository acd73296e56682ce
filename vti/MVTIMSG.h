#pragma once
// The instrument's command names, as the driver's modules call them; the protocol header
// holds the one definition of each.
#include "NB4410Protocol.h"

namespace nb4410vti::MVTIMSG {

using namespace nb4410::protocol;

inline const QString kReplyIREM = ReplyName(kIREM);
inline const QString kReplySTST = ReplyName(kSTST);
inline const QString kReplyATST = ReplyName(kATST);
inline const QString kReplyGRES = ReplyName(kGRES);
inline const QString kReplyGMTD = ReplyName(kGMTD);
inline const QString kReplyPMTD = ReplyName(kPMTD);

} // namespace nb4410vti::MVTIMSG
