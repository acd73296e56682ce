#pragma once
// What the over-pressure editor edits: the inflate pressure and the test-guide settings. The
// editors reach configurations only through such header-only interfaces, so that the editor
// library needs none of the test libraries.
#include "plugin/guide/INB4410TestGuideConfig.h"

namespace nb4410 {

class INB4410ConfigOverPressure : public INB4410TestGuideConfig {
public:
    virtual float InflatePressure() const = 0;
    virtual void SetInflatePressure(float mmHg) = 0;
};

} // namespace nb4410
