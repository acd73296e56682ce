#pragma once
// What the test-guide window asks of any configuration: its test-guide settings. Every
// configuration of the plug-in offers it (the BP configurations through TestGuideConfig of
// their own interface as well).
#include "host/run/TestGuideSettings.h"

namespace nb4410 {

class INB4410TestGuideConfig {
public:
    virtual ~INB4410TestGuideConfig() = default;
    virtual ostrel::TestGuideSettingsPtr TestGuideConfig() = 0;
};

} // namespace nb4410
