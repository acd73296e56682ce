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
    // Whether the program was started to ignore the signal (nohup, a background job): a
    // handler installed for it must leave it ignored.
    static bool Ignored(int signal);
};

} // namespace ostrel
