#include "Steps.h"

namespace ostrel {

Q_LOGGING_CATEGORY(lcSteps, "ostrel.steps", QtWarningMsg)

void logIgnoredStep(const char* step, const ComError& failure)
{
    qCInfo(lcSteps) << "step" << step << "failed, going on:" << failure.what();
}

} // namespace ostrel
