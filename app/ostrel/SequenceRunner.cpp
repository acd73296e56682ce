#include "SequenceRunner.h"

#include "SequenceDocument.h"

#include "host/core/Steps.h"

namespace ostrel {

SequenceRunner::SequenceRunner(SequenceDocument& document, std::shared_ptr<IStandards> selected)
    : m_document(document), m_context(std::make_shared<RunContext>())
{
    m_context->SetInstruments(document.Instruments());
    m_context->SetSelectedStandards(std::move(selected));
    m_context->SetMayPerform([this](const std::shared_ptr<ITestElement>& element) {
        const int index = m_document.IndexOf(element.get(), m_current);
        // Elements below the sequence's own (children of a group) follow their group.
        const bool may = index < 0 || m_document.Entry(index).enabled;
        m_anyPerformed = m_anyPerformed || may;
        return may;
    });
    m_context->SetNavigationHandler([this](std::int32_t code) {
        if (code >= RunContext::kNavigateNext && code <= RunContext::kNavigateAbort)
            m_navigation = code;
    });
    m_context->SetResultFinalHandler([this](const std::shared_ptr<ITestElement>& element) { resultFinal(element); });
    m_context->SetCurveHandler([this](const std::shared_ptr<ITestElement>&, const PressureCurve& curve) { m_elementCurve = curve; });
}

template <typename Call> void SequenceRunner::publish(const char* what, Call&& call)
{
    // One listener that fails takes nothing from the run or from the others.
    for (const auto& listener : m_listeners)
        runStep(what, [&] { call(*listener); });
}

void SequenceRunner::resultFinal(const std::shared_ptr<ITestElement>& element)
{
    m_document.SetModified();
    const int index = m_document.IndexOf(element.get(), m_current);
    m_document.SetRunTimes(index, m_elementStarted, QDateTime::currentDateTimeUtc());
    // A result without a charted run (not applicable, the BP test) replaces the old curve too.
    m_document.SetCurve(index, m_elementCurve);
    std::optional<ComError> saveFailure;
    if (m_autoSave && !m_document.Path().isEmpty()) {
        try {
            m_document.Save();
        } catch (...) {
            saveFailure = ComError::fromCurrent();
            m_saveFailures.push_back(*saveFailure);
        }
    }
    if (onResultFinal)
        onResultFinal(element, saveFailure);
    publish("publish a finished element",
            [&](IRunListener& listener) { listener.ElementFinished(m_document, element, m_elementStarted); });
}

SequenceRunner::Outcome SequenceRunner::Run(int first)
{
    return run(first, false);
}

SequenceRunner::Outcome SequenceRunner::RunOnly(int index)
{
    return run(index, true);
}

SequenceRunner::Outcome SequenceRunner::run(int first, bool onlyFirst)
{
    if (m_running)
        return Outcome::Failed;
    publish("publish the run's start", [&](IRunListener& listener) { listener.RunStarted(m_document); });
    const Outcome outcome = perform(first, onlyFirst);
    publish("publish the run's end", [&](IRunListener& listener) { listener.RunEnded(m_document, outcome); });
    return outcome;
}

SequenceRunner::Outcome SequenceRunner::perform(int first, bool onlyFirst)
{
    m_running = true;
    m_stopRequested = false;
    m_anyPerformed = false;
    m_failure.reset();
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_running};

    int index = std::max(0, first);
    int direction = 1;
    while (index >= 0 && index < m_document.Count()) {
        // Hold the element: the window may take it out of the document while it runs.
        const TestElementPtr element = m_document.Entry(index).element;
        m_navigation.reset();
        m_current = index;
        m_elementStarted = QDateTime::currentDateTimeUtc();
        m_elementCurve.Clear();
        if (onElementStarted)
            onElementStarted(index);
        try {
            element->Perform(m_context);
        } catch (...) {
            m_failure = ComError::fromCurrent();
            return Outcome::Failed;
        }
        if (onElementEnded)
            onElementEnded(index);
        if (m_stopRequested || m_navigation == RunContext::kNavigateAbort)
            return Outcome::Aborted;
        if (onlyFirst)
            return Outcome::Completed;
        if (m_navigation == RunContext::kNavigateNext)
            direction = 1;
        else if (m_navigation == RunContext::kNavigatePrevious)
            direction = -1;
        // An element that returned without navigating (refused, or disabled) is passed in
        // the direction the run is going.
        const int current = m_document.IndexOf(element.get(), index);
        index = (current >= 0 ? current : (direction > 0 ? index - 1 : index)) + direction;
        if (index < 0) {
            // Going back from the first element stays on it.
            index = 0;
            direction = 1;
        }
    }
    return Outcome::Completed;
}

} // namespace ostrel
