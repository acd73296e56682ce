#pragma once
// The service history as an output of a run: the run's header when it starts, each element
// with its measurements and applied limits as soon as its result is final, the verdict at the
// end. Writing never fails the run: what the database does not take waits in the outbox. A run
// in which no element finished (every element disabled, or aborted before the first result)
// leaves nothing: the device's history lists what was tested.
#include "IRunListener.h"
#include "SequenceResults.h"

#include "host/history/HistoryRecords.h"

namespace ostrel {

namespace history {
class ResultsHistory;
}

class HistoryListener : public IRunListener {
public:
    explicit HistoryListener(history::ResultsHistory& history);

    void RunStarted(const SequenceDocument& document) override;
    void ElementFinished(const SequenceDocument& document, const std::shared_ptr<ITestElement>& element,
                         const QDateTime& started) override;
    void RunEnded(const SequenceDocument& document, RunOutcome outcome) override;

    const history::RunRecord& Run() const { return m_run; }

    static history::RunRecord RunRecordOf(const SequenceDocument& document);
    static history::ElementRecord ElementRecordOf(const ElementResult& result, const std::shared_ptr<ITestElement>& element,
                                                  const QList<StandardRef>& selected);

private:
    history::ResultsHistory& m_history;
    history::RunRecord m_run;
    bool m_anyElement = false; // of this run
};

} // namespace ostrel
