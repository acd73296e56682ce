#pragma once
// Process-wide signal settings that the command-line programs share.
#include <array>
#include <csignal>

namespace ostrel {

class ProcessSignals {
public:
    // The signals that stop a run or a test before the program ends: Ctrl+C, SIGTERM, and the
    // terminal going away.
    static constexpr std::array<int, 3> kStopSignals = {SIGINT, SIGTERM, SIGHUP};

    // A reader that goes away (ostrel run ... | head, a pager quit early) must not end the
    // program in the middle of an instrument's test: a write to a closed pipe then fails
    // instead of raising SIGPIPE, and the program finishes its work, its files and the
    // instrument's test as it would have.
    static void IgnoreBrokenPipes();
    // Whether the program was started to ignore the signal (nohup, a background job): a
    // handler installed for it must leave it ignored.
    static bool Ignored(int signal);
};

} // namespace ostrel
