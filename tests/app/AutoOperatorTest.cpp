// The automatic operator drives test-guide windows through their toolbar: play, wait for the
// run to end, next; it answers confirmations itself and never hangs on a window that does
// not let it go on.
#include "FakeGuide.h"

#include "app/ostrel/AutoOperator.h"
#include "app/ostrel/SequenceDocument.h"
#include "app/ostrel/SequenceRunner.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

struct GuidedSequence {
    explicit GuidedSequence(std::vector<GuideBehaviour> behaviours)
    {
        for (const auto& behaviour : behaviours) {
            auto element = std::make_shared<FakeElement>();
            element->Initialize(QStringLiteral("FAKE"), 30, 0);
            element->script = guidedRun(behaviour);
            document.Add(element);
        }
    }
    std::int32_t status(int index)
    {
        auto result = document.Entry(index).element->Result();
        return result ? result->Status() : -1;
    }
    SequenceDocument document;
};

TEST(AutoOperatorTest, PlaysEachElementAndGoesOn)
{
    GuidedSequence sequence({{.status = 1}, {.confirmDuringRun = true, .status = 2}, {.status = 1}});
    AutoOperator automatic;
    automatic.Start();
    SequenceRunner runner(sequence.document, nullptr);
    EXPECT_EQ(runner.Run(), SequenceRunner::Outcome::Completed);
    automatic.Stop();
    EXPECT_EQ(sequence.status(0), 1);
    EXPECT_EQ(sequence.status(1), 2);
    EXPECT_EQ(sequence.status(2), 1);
    EXPECT_TRUE(automatic.Problems().isEmpty()) << automatic.Problems().join(QLatin1Char('\n')).toStdString();
}

TEST(AutoOperatorTest, ItsMessageSinkIsRemovedWhenItStops)
{
    class Recorder : public IMessageSink {
    public:
        void Show(MessageIcon, const QString&, const QString&) override {}
        bool Confirm(const QString&, const QString&) override { return false; }
    };
    auto mine = std::make_shared<Recorder>();
    auto previous = MessageService::instance().SetSink(mine);
    {
        AutoOperator automatic;
        automatic.Start();
        EXPECT_TRUE(MessageService::instance().Confirm(QStringLiteral("go on?"), QString()));
    }
    EXPECT_FALSE(MessageService::instance().Confirm(QStringLiteral("go on?"), QString()));
    MessageService::instance().SetSink(previous);
}

TEST(AutoOperatorTest, ARunThatNeverEndsIsStopped)
{
    GuidedSequence sequence({{.endless = true, .status = 1}});
    AutoOperator automatic;
    automatic.SetRunTimeoutMs(200);
    automatic.Start();
    SequenceRunner runner(sequence.document, nullptr);
    EXPECT_EQ(runner.Run(), SequenceRunner::Outcome::Completed);
    automatic.Stop();
    ASSERT_EQ(automatic.Problems().size(), 1);
    EXPECT_TRUE(automatic.Problems()[0].contains(QStringLiteral("pressed stop")));
    EXPECT_EQ(sequence.status(0), 1);
}

TEST(AutoOperatorTest, AWindowWhoseNextStaysDisabledIsAbandoned)
{
    GuidedSequence sequence({{.enableNextAfterRun = false}, {.status = 1}});
    AutoOperator automatic;
    automatic.SetNextWaitMs(300);
    automatic.Start();
    SequenceRunner runner(sequence.document, nullptr);
    // No skip button here: the operator aborts, which ends the run without a verdict.
    EXPECT_EQ(runner.Run(), SequenceRunner::Outcome::Aborted);
    automatic.Stop();
    ASSERT_FALSE(automatic.Problems().isEmpty());
    EXPECT_TRUE(automatic.Problems()[0].contains(QStringLiteral("abort")));
    EXPECT_EQ(sequence.status(0), -1);
}

} // namespace
