#pragma once
// Process-wide signal settings that the command-line programs share.
namespace ostrel {

class ProcessSignals {
public:
    // A reader that goes away (ostrel run ... | head, a pager quit early) must not end the
    // program in the middle of an instrument's test: a write to a closed pipe then fails
    // instead of raising SIGPIPE, and the program finishes its work, its files and the
    // instrument's test as it would have.
    static void IgnoreBrokenPipes();
};

} // namespace ostrel
