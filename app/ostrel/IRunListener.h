#pragma once
// An output of a run: told when the run starts, after each element's result is final (the
// document already saved), and when the run ends. The runner publishes to every listener it
// was given, in the order given; the headless command and the window pick their outputs.
#include "host/contract/Forward.h"

#include <QDateTime>
#include <memory>

namespace ostrel {

class SequenceDocument;

enum class RunOutcome { Completed, Aborted, Failed };

class IRunListener {
public:
    virtual ~IRunListener() = default;
    virtual void RunStarted(const SequenceDocument& document) = 0;
    // started: when the element began to run (UTC).
    virtual void ElementFinished(const SequenceDocument& document, const std::shared_ptr<ITestElement>& element,
                                 const QDateTime& started) = 0;
    virtual void RunEnded(const SequenceDocument& document, RunOutcome outcome) = 0;
};

} // namespace ostrel
