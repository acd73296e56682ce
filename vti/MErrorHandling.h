#pragma once
// The driver's messages to the user: one for error replies of the instrument, one for every
// other failure of the driver. The builders never fail towards their callers.
#include "host/core/ComError.h"
#include "host/core/Variant.h"

namespace nb4410vti::MErrorHandling {

// The resolved text of an instrument error code (parameter 1 of an "ERRM" reply).
QString MTIErrorText(std::int32_t errorCode);

// Shows message 22000 for an "ERRM" reply; any other reply name shows nothing.
void ShowMTIError(const QString& replyName, const ostrel::Variant& params);

// Shows the message of a driver failure: 22001, 22002, 22003 or the general 3400.
void ShowVtiError(ostrel::HResult number, const QString& source, const QString& description);

// The description the driver gives its own error numbers.
QString VtiErrorDescription(ostrel::HResult number);

} // namespace nb4410vti::MErrorHandling
