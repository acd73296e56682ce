#pragma once
// What a call that is meant to fail threw.
#include "host/core/ComError.h"

#include <functional>
#include <optional>

namespace ostrel::testing {

inline std::optional<ComError> errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ComError& e) {
        return e;
    }
    return std::nullopt;
}

// The number the call fails with, 0 when it succeeds.
inline HResult failureOf(const std::function<void()>& call)
{
    const std::optional<ComError> error = errorOf(call);
    return error ? error->number() : 0;
}

} // namespace ostrel::testing
