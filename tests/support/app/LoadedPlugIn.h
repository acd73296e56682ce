#pragma once
// The application's plug-in, loaded as a run loads it. The build always makes the plug-in, so
// one that does not load fails the test: it is never a reason to skip.
#include "app/ostrel/PlugInHost.h"
#include "host/core/ComError.h"

#include <gtest/gtest.h>
#include <memory>

namespace ostrel::testing {

// The loaded plug-in's host; null, with the test failed, when the plug-in does not load.
inline std::shared_ptr<PlugInHost> loadedPlugIn()
{
    auto host = std::make_shared<PlugInHost>();
    try {
        host->Load(); // registers the plug-in's classes too
    } catch (const ComError& failure) {
        ADD_FAILURE() << "the plug-in does not load: " << failure.what();
        return nullptr;
    }
    return host;
}

} // namespace ostrel::testing
