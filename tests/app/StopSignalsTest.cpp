// The signals that ask a run to stop reach the event loop instead of ending the process, once
// each object's life; a signal the process was started to ignore (nohup) stays ignored.
#include "app/ostrel/StopSignals.h"

#include <QCoreApplication>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

class StopSignalsTest : public ::testing::TestWithParam<int> {};

TEST_P(StopSignalsTest, TheSignalReachesTheEventLoopAndIsNamed)
{
    StopSignals stop;
    std::vector<int> told;
    stop.onStop = [&](int signal) { told.push_back(signal); };
    std::raise(GetParam());
    EXPECT_TRUE(QTest::qWaitFor([&] { return stop.Stopped(); }));
    EXPECT_EQ(told, std::vector<int>{GetParam()});
    EXPECT_EQ(stop.Signal(), GetParam());
    EXPECT_TRUE(StopSignals::Name(GetParam()).startsWith(QStringLiteral("SIG")));
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalsTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

TEST(StopSignalsIgnored, ASignalTheProcessIgnoresStaysIgnored)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before), 0);
    {
        StopSignals stop;
        std::raise(SIGHUP); // would end this process were it not ignored
        QCoreApplication::processEvents();
        EXPECT_FALSE(stop.Stopped());
    }
    struct sigaction after {};
    ::sigaction(SIGHUP, &before, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
}

} // namespace
