#pragma once
// Runs a sequence: performs one element after the other with a run context that answers
// may-perform from the document (disabled elements are refused), keeps the sequence's
// instrument list and standards selection, follows the navigation each element asks for
// (0 next, 1 previous, 2 abort) and saves the document on each finished notice, so that a
// crash or a power cut loses at most the element in progress. Perform shows the element's
// modal test-guide window, so Run returns only when the sequence has ended; the event loop
// keeps running inside it. Each finished element is then published to the listeners (the
// service history, say).
#include "IRunListener.h"

#include "host/core/ComError.h"
#include "host/run/RunContext.h"

#include <QDateTime>
#include <functional>
#include <optional>

namespace ostrel {

class SequenceDocument;

class SequenceRunner {
public:
    using Outcome = RunOutcome;

    SequenceRunner(SequenceDocument& document, std::shared_ptr<IStandards> selected);

    Outcome Run(int first = 0);
    // Runs that element alone: the run ends when it returns, wherever it asked to go next.
    Outcome RunOnly(int index);
    // Whether finished notices save the document (on by default; needs a document path).
    void SetAutoSave(bool on) { m_autoSave = on; }
    bool IsRunning() const { return m_running; }
    // Whether the last run let any element perform (all disabled: none did).
    bool AnyPerformed() const { return m_anyPerformed; }
    // Ends the run once the element in progress returns.
    void Stop() { m_stopRequested = true; }
    // Why the run failed (Outcome::Failed).
    std::optional<ComError> Failure() const { return m_failure; }
    // The failures of saving on a finished notice; the run goes on after each.
    const std::vector<ComError>& SaveFailures() const { return m_saveFailures; }
    std::shared_ptr<RunContext> Context() const { return m_context; }
    void AddListener(std::shared_ptr<IRunListener> listener) { m_listeners.push_back(std::move(listener)); }

    std::function<void(int index)> onElementStarted;
    std::function<void(int index)> onElementEnded;
    // After the document was saved for a finished element (or saving failed).
    std::function<void(const std::shared_ptr<ITestElement>&, const std::optional<ComError>&)> onResultFinal;

private:
    Outcome run(int first, bool onlyFirst);
    void resultFinal(const std::shared_ptr<ITestElement>& element);
    Outcome perform(int first, bool onlyFirst);
    template <typename Call> void publish(const char* what, Call&& call);

    SequenceDocument& m_document;
    std::shared_ptr<RunContext> m_context;
    std::optional<std::int32_t> m_navigation;
    std::optional<ComError> m_failure;
    std::vector<ComError> m_saveFailures;
    std::vector<std::shared_ptr<IRunListener>> m_listeners;
    bool m_autoSave = true;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_anyPerformed = false;
    int m_current = -1;         // the index of the element in progress when it started
    QDateTime m_elementStarted; // of the element in progress
    PressureCurve m_elementCurve; // of the element in progress: its last run's, kept with its result
};

} // namespace ostrel
