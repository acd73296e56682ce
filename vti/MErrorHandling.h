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

// The description of an "ERRM" reply on one line: "The NB-4410 reported error 6001 (Busy)
// on STST: Test 100 is running". What a result that the error ended keeps.
QString MTIErrorDescription(const ostrel::Variant& params);

// The description of the general failure a driver call ends with: its cause's, so that what
// the result keeps names what went wrong; the plain text when there is no cause.
QString CallFailedDescription(const QString& cause);

} // namespace nb4410vti::MErrorHandling
