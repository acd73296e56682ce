#pragma once
// "Each step runs even if the one before failed": run one step, log its failure at info
// level in "ostrel.steps" and carry on. The only place where failures are deliberately swallowed.
#include "ComError.h"

#include <QLoggingCategory>
#include <utility>

namespace ostrel {

Q_DECLARE_LOGGING_CATEGORY(lcSteps)

void logIgnoredStep(const char* step, const ComError& failure);

template <class F>
bool runStep(const char* step, F&& fn) noexcept
{
    try {
        std::forward<F>(fn)();
        return true;
    } catch (...) {
        logIgnoredStep(step, ComError::fromCurrent());
        return false;
    }
}

} // namespace ostrel
