// The load log.
#include "host/results/Progress.h"

#include <gtest/gtest.h>

using namespace ostrel;

TEST(Progress, EntriesCarryTheirStepAndFilledInText)
{
    Progress progress;
    int notified = 0;
    progress.SetListener([&](const ProgressEntry&) { ++notified; });
    const auto outer = progress.OpenStep(QStringLiteral("NB-4410"), QStringLiteral("20701::Loading leak test result data"));
    const auto inner = progress.OpenStep(QStringLiteral("NB-4410"), QString());
    EXPECT_GT(outer, 0);
    EXPECT_NE(outer, inner);
    progress.Report(0x8004A3FF, 2, QStringLiteral("20553::Key %%1 is empty."), VariantArray{Variant(QStringLiteral("SYST"))});
    progress.CloseStep(inner);
    progress.Report(7, 3, QStringLiteral("plain"), Variant());
    progress.CloseStep(outer);
    progress.Report(1, 1, QStringLiteral("outside"), Variant());

    ASSERT_EQ(progress.Log().size(), 3u);
    EXPECT_EQ(progress.Log()[0].step, inner);
    EXPECT_EQ(progress.Log()[0].text, QStringLiteral("Key SYST is empty."));
    EXPECT_EQ(progress.Log()[1].step, outer);
    EXPECT_EQ(progress.Log()[1].stepText, QStringLiteral("Loading leak test result data"));
    EXPECT_EQ(progress.Log()[2].step, 0);
    EXPECT_EQ(progress.WorstSeverity(), 3);
    EXPECT_EQ(notified, 3);
    EXPECT_EQ(progress.Lines().at(1), QStringLiteral("Error 0x00000007: plain (while: Loading leak test result data)"));
}

TEST(Progress, ClosingAStepClosesTheStepsLeftOpenInsideIt)
{
    Progress progress;
    const auto outer = progress.OpenStep(QStringLiteral("NB-4410"), QStringLiteral("outer"));
    progress.OpenStep(QStringLiteral("NB-4410"), QStringLiteral("forgotten"));
    progress.CloseStep(outer);
    EXPECT_EQ(progress.OpenStepCount(), 0);
    progress.CloseStep(12345); // unknown: nothing happens
    EXPECT_EQ(progress.OpenStepCount(), 0);
}
