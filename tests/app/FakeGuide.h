#pragma once
// A stand-in test-guide window: its "play", "stop", "next" and "abort" buttons behave as the
// real window's do, so the automatic operator can be exercised without the plug-in. A run takes a few event-loop turns and asks one confirmation.
#include "FakeElement.h"

namespace ostrel::testing {

struct GuideBehaviour {
    int runMs = 30;                // how long a run takes
    bool enableNextAfterRun = true;
    bool confirmDuringRun = false; // asks the message service a question while running
    bool endless = false;          // the run ends only when "stop" is pressed
    std::int32_t status = 1;       // the result's status after a run
    double value = 4.0;
};

// A script that shows the window modally and finishes the element the way the operator leaves it.
PerformScript guidedRun(GuideBehaviour behaviour);

} // namespace ostrel::testing
