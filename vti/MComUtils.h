#pragma once
// Checking an instrument reply against the name the command expects.
#include "host/datalink/Message.h"

namespace nb4410vti::MComUtils {

inline constexpr char kSource[] = "NB4410VTI.MComUtils";

// No reply passes. "ERRM" shows the instrument's error and fails with eeVTI_MTIError; another
// name than expected (letter case counts) fails with eeVTI_InvalidMsgReceived.
void CheckReply(const ostrel::MessagePtr& reply, const QString& expected);

} // namespace nb4410vti::MComUtils
