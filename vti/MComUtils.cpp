#include "MComUtils.h"

#include "MErrorHandling.h"
#include "MVTIMSG.h"
#include "NB4410VTI.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"

namespace nb4410vti::MComUtils {

namespace {

[[noreturn]] void raise(ostrel::HResult number, const QString& description)
{
    ostrel::ErrorService::instance().Raise(QStringLiteral("NB-4410"), number, kSource, 3, description);
}

[[noreturn]] void raise(ostrel::HResult number)
{
    raise(number, MErrorHandling::VtiErrorDescription(number));
}

} // namespace

void CheckReply(const ostrel::MessagePtr& reply, const QString& expected)
{
    if (!reply)
        return;
    if (reply->Name() == MVTIMSG::kERRM) {
        ostrel::Variant params;
        ostrel::runStep("ERRM parameters", [&] { params = reply->Parameters(-1); });
        MErrorHandling::ShowMTIError(reply->Name(), params);
        raise(eeVTI_MTIError, MErrorHandling::MTIErrorDescription(params));
    }
    if (reply->Name() != expected)
        raise(eeVTI_InvalidMsgReceived);
}

} // namespace nb4410vti::MComUtils
