// Running a sequence: the navigation each element asks for, disabled elements, and the
// document saved on every finished notice.
#include "FakeElement.h"

#include "app/ostrel/SequenceDocument.h"
#include "app/ostrel/SequenceRunner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

ElementFactory factory()
{
    return [](const QString&, std::int32_t testId) -> TestElementPtr {
        static FakePlugIn plugIn;
        return plugIn.CreateTest(testId);
    };
}

// A sequence of count elements; element i (0-based) follows scripts[i] on successive performs.
struct ScriptedSequence {
    explicit ScriptedSequence(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto element = std::make_shared<FakeElement>();
            element->Initialize(QStringLiteral("FAKE"), 10, 0);
            document.Add(element);
        }
    }
    // Each perform of element index takes the next code of its list (next when it runs out).
    void script(int index, std::vector<std::int32_t> codes)
    {
        auto queue = std::make_shared<std::vector<std::int32_t>>(std::move(codes));
        element(index)->script = [queue](FakeElement&, const std::shared_ptr<IRunContext>& context) {
            std::int32_t code = 0;
            if (!queue->empty()) {
                code = queue->front();
                queue->erase(queue->begin());
            }
            context->Navigate(code);
        };
    }
    std::shared_ptr<FakeElement> element(int index)
    {
        return std::dynamic_pointer_cast<FakeElement>(document.Entry(index).element);
    }
    std::vector<QString> visits()
    {
        std::vector<QString> result;
        for (const auto& line : fakeLog())
            if (!line.startsWith(QStringLiteral("terminate")))
                result.push_back(line);
        return result;
    }
    SequenceDocument document;
};

struct NavigationCase {
    const char* name;
    std::vector<std::vector<std::int32_t>> scripts; // per element
    std::vector<bool> enabled;
    int first;
    std::vector<const char*> expectedVisits;
    SequenceRunner::Outcome outcome;
    bool thisElementOnly = false;
};

TEST(SequenceRunnerTest, FollowsTheNavigationOfEachElement)
{
    using O = SequenceRunner::Outcome;
    const std::vector<NavigationCase> cases = {
        {"all next", {{}, {}, {}}, {true, true, true}, 0, {"perform 1", "perform 2", "perform 3"}, O::Completed},
        {"previous goes back one",
         {{}, {1}, {}},
         {true, true, true},
         0,
         {"perform 1", "perform 2", "perform 1", "perform 2", "perform 3"},
         O::Completed},
        {"previous on the first element stays there", {{1}, {}}, {true, true}, 0, {"perform 1", "perform 1", "perform 2"}, O::Completed},
        {"abort ends the run", {{}, {2}, {}}, {true, true, true}, 0, {"perform 1", "perform 2"}, O::Aborted},
        {"disabled element is refused and passed",
         {{}, {}, {}},
         {true, false, true},
         0,
         {"perform 1", "refused 2", "perform 3"},
         O::Completed},
        {"previous passes a disabled element backwards",
         {{}, {}, {1}},
         {true, false, true},
         0,
         {"perform 1", "refused 2", "perform 3", "refused 2", "perform 1", "refused 2", "perform 3"},
         O::Completed},
        {"run from the selected element", {{}, {}, {}}, {true, true, true}, 1, {"perform 2", "perform 3"}, O::Completed},
        {"this element only, though it goes on", {{}, {}, {}}, {true, true, true}, 1, {"perform 2"}, O::Completed, true},
        {"this element only, though it goes back", {{}, {1}, {}}, {true, true, true}, 1, {"perform 2"}, O::Completed, true},
        {"this element only, aborted", {{}, {2}}, {true, true}, 1, {"perform 2"}, O::Aborted, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSequence sequence(static_cast<int>(c.scripts.size()));
        for (size_t i = 0; i < c.scripts.size(); ++i) {
            sequence.script(static_cast<int>(i), c.scripts[i]);
            sequence.document.SetEnabled(static_cast<int>(i), c.enabled[i]);
        }
        fakeLog().clear();
        SequenceRunner runner(sequence.document, nullptr);
        EXPECT_EQ(c.thisElementOnly ? runner.RunOnly(c.first) : runner.Run(c.first), c.outcome);
        std::vector<QString> expected;
        for (const char* visit : c.expectedVisits)
            expected.push_back(QString::fromLatin1(visit));
        EXPECT_EQ(sequence.visits(), expected);
    }
}

TEST(SequenceRunnerTest, AnElementThatFailsEndsTheRunWithItsError)
{
    ScriptedSequence sequence(2);
    sequence.element(0)->script = [](FakeElement&, const std::shared_ptr<IRunContext>&) {
        throw ComError(hr(0x8004A468u), QStringLiteral("NB4410VTI.CNB4410VTI"), QStringLiteral("no instrument"), 3);
    };
    fakeLog().clear();
    SequenceRunner runner(sequence.document, nullptr);
    EXPECT_EQ(runner.Run(), SequenceRunner::Outcome::Failed);
    ASSERT_TRUE(runner.Failure());
    EXPECT_EQ(runner.Failure()->number(), hr(0x8004A468u));
    EXPECT_EQ(sequence.visits(), std::vector<QString>{QStringLiteral("perform 1")});
}

TEST(SequenceRunnerTest, TheContextKeepsTheSequencesInstruments)
{
    ScriptedSequence sequence(1);
    SequenceRunner runner(sequence.document, nullptr);
    EXPECT_EQ(runner.Context()->Instruments(), sequence.document.Instruments());
}

TEST(SequenceRunnerTest, EachFinishedNoticeSavesTheDocument)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("run.xml"));
    ScriptedSequence sequence(3);
    sequence.document.SaveAs(file);
    sequence.element(0)->script = finishWith(1, 2.5);
    sequence.element(1)->script = finishWith(2, 9.0);
    // The third element looks at the stored file while it runs: the two finished results are
    // there, so a crash now would lose only this element.
    std::vector<int> statusesOnDisk;
    sequence.element(2)->script = [&](FakeElement&, const std::shared_ptr<IRunContext>& context) {
        auto stored = SequenceDocument::Load(file, factory(), nullptr);
        for (int i = 0; i < stored->Count(); ++i) {
            auto result = stored->Entry(i).element->Result();
            statusesOnDisk.push_back(result ? result->Status() : -1);
        }
        context->Navigate(0);
    };
    SequenceRunner runner(sequence.document, nullptr);
    int notices = 0;
    runner.onResultFinal = [&](const std::shared_ptr<ITestElement>&, const std::optional<ComError>& failure) {
        ++notices;
        EXPECT_FALSE(failure);
    };
    EXPECT_EQ(runner.Run(), SequenceRunner::Outcome::Completed);
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(statusesOnDisk, (std::vector<int>{1, 2, -1}));
    EXPECT_FALSE(sequence.document.IsModified());
}

TEST(SequenceRunnerTest, AFailedSaveIsReportedAndTheRunGoesOn)
{
    QTemporaryDir dir;
    ScriptedSequence sequence(2);
    // The folder of the document disappears during the run.
    const QString file = dir.filePath(QStringLiteral("sub/run.xml"));
    QDir().mkpath(dir.filePath(QStringLiteral("sub")));
    sequence.document.SaveAs(file);
    QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively();
    sequence.element(0)->script = finishWith(1, 1.0);
    fakeLog().clear();
    SequenceRunner runner(sequence.document, nullptr);
    EXPECT_EQ(runner.Run(), SequenceRunner::Outcome::Completed);
    EXPECT_EQ(runner.SaveFailures().size(), 1u);
    EXPECT_TRUE(sequence.document.IsModified());
    EXPECT_EQ(sequence.visits(), (std::vector<QString>{QStringLiteral("perform 1"), QStringLiteral("perform 2")}));
}

// Records what the runner publishes; the one told to fail throws at each notice.
class RecordingListener : public IRunListener {
public:
    RecordingListener(std::vector<QString>& log, bool failing) : m_log(log), m_failing(failing) {}
    void RunStarted(const SequenceDocument&) override { note(QStringLiteral("started")); }
    void ElementFinished(const SequenceDocument& document, const std::shared_ptr<ITestElement>& element, const QDateTime& started) override
    {
        EXPECT_TRUE(started.isValid());
        note(QStringLiteral("finished %1").arg(document.IndexOf(element.get()) + 1));
    }
    void RunEnded(const SequenceDocument&, RunOutcome outcome) override
    {
        note(outcome == RunOutcome::Failed ? QStringLiteral("ended failed") : QStringLiteral("ended"));
    }

private:
    void note(const QString& what)
    {
        m_log.push_back((m_failing ? QStringLiteral("failing ") : QString()) + what);
        if (m_failing)
            throw ComError(hr(0x80004005u), QStringLiteral("test"), QStringLiteral("listener fails"), 1);
    }
    std::vector<QString>& m_log;
    bool m_failing;
};

TEST(SequenceRunnerTest, EveryListenerHearsEachFinishedElementEvenWhenAnotherFails)
{
    ScriptedSequence sequence(3);
    sequence.element(0)->script = finishWith(1, 1.0);
    sequence.element(1)->script = finishWith(2, 2.0);
    sequence.element(2)->script = [](FakeElement&, const std::shared_ptr<IRunContext>&) {
        throw ComError(hr(0x8004A468u), QStringLiteral("NB4410VTI.CNB4410VTI"), QStringLiteral("no instrument"), 3);
    };
    std::vector<QString> log;
    SequenceRunner runner(sequence.document, nullptr);
    runner.AddListener(std::make_shared<RecordingListener>(log, true));
    runner.AddListener(std::make_shared<RecordingListener>(log, false));
    EXPECT_EQ(runner.Run(), SequenceRunner::Outcome::Failed);
    // The run's end is told even when an element failed the run.
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("failing started"), QStringLiteral("started"),
                                         QStringLiteral("failing finished 1"), QStringLiteral("finished 1"),
                                         QStringLiteral("failing finished 2"), QStringLiteral("finished 2"),
                                         QStringLiteral("failing ended failed"), QStringLiteral("ended failed")}));
}

} // namespace
