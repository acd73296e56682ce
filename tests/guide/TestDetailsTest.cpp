// The details pane: live data, the two views, the configuration summary and highlighting.
#include "host/run/XTestWizard.h"
#include "plugin/guide/XTestDetails.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

TEST(TestDetails, ElapsedTimeIsMinutesAndSeconds)
{
    struct Case {
        int seconds;
        QString text;
    };
    for (const Case& c : {Case{125, "02:05"}, Case{3600, "60:00"}, Case{0, "00:00"}, Case{59, "00:59"}})
        EXPECT_EQ(XTestDetails::ElapsedText(c.seconds), c.text);

    XTestDetails details;
    details.ShowPerformData(183, Variant(125));
    EXPECT_EQ(details.ManometerResult()->text(), "183 mmHg");
    EXPECT_EQ(details.TimeResult()->text(), "02:05");
    EXPECT_FALSE(details.TimeResult()->isHidden());
    EXPECT_FALSE(details.TimeCaption()->isHidden());
}

// Counts the events of one type a widget receives.
class EventCounter : public QObject {
public:
    explicit EventCounter(QEvent::Type type) : type(type) {}
    QEvent::Type type;
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == type ? 1 : 0;
        return false;
    }
};

TEST(TestDetails, APollPaintsOnlyWhatChangedNeverSynchronouslyAndLaysNothingOutAgain)
{
    XTestDetails details;
    details.SetShowProgress(true);
    details.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&details));
    details.ShowPerformData(100, Variant(5));
    QCoreApplication::processEvents();
    EventCounter paints(QEvent::Paint);
    details.TimeResult()->installEventFilter(&paints);
    EventCounter layouts(QEvent::LayoutRequest);
    details.ManometerResult()->parentWidget()->installEventFilter(&layouts);
    // The same second again: nothing to paint, now or when the poll loop lets events run.
    details.ShowPerformData(100, Variant(5));
    EXPECT_EQ(paints.count, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, 0);
    // The next second: no paint inside the poll, one when the loop processes its events.
    details.ShowPerformData(99, Variant(6));
    EXPECT_EQ(paints.count, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(details.TimeResult()->text(), "00:06");
    EXPECT_EQ(details.ManometerResult()->text(), "99 mmHg");
    // Values of other widths keep the panel's layout as it is.
    details.ShowPerformData(5, Variant(600));
    details.ShowPerformData(1250, Variant(7));
    QCoreApplication::processEvents();
    EXPECT_EQ(layouts.count, 0);
}

TEST(TestDetails, NoTimeHidesBothTimeLabels)
{
    XTestDetails details;
    details.ShowPerformData(10, Variant(5));
    details.ShowPerformData(0);
    EXPECT_EQ(details.ManometerResult()->text(), "0 mmHg");
    EXPECT_TRUE(details.TimeResult()->isHidden());
    EXPECT_TRUE(details.TimeCaption()->isHidden());
}

TEST(TestDetails, ViewsAndSummary)
{
    XTestDetails details;
    details.SetShowProgress(true);
    EXPECT_TRUE(details.ShowProgress());
    details.SetShowProgress(false);
    EXPECT_FALSE(details.ShowProgress());

    VariantArray rows(2, 2);
    rows.at(0, 0) = "Start Pressure";
    rows.at(0, 1) = "250 mmHg";
    rows.at(1, 0) = "Duration";
    rows.at(1, 1) = "01:00";
    details.Initialize(Variant(VariantArray{"a", "b", ""}), Variant(rows));
    const QString summary = details.ConfigText()->toPlainText();
    EXPECT_TRUE(summary.contains("Start Pressure"));
    EXPECT_TRUE(summary.contains(QString(10, ' ') + "250 mmHg"));
    EXPECT_EQ(details.Instructions()->Instructions().size(), 3);

    details.Initialize(Variant(VariantArray{"a"}), Variant());
    EXPECT_EQ(details.ConfigText()->toPlainText(), summary);
}

TEST(TestDetails, HighlightInstruction)
{
    XTestDetails details;
    details.Initialize(Variant(VariantArray{"a", "b", "c"}), Variant());
    details.HighlightInstruction(Variant(VariantArray{-1}));
    EXPECT_TRUE(details.Instructions()->Highlight());
    EXPECT_TRUE(details.Instructions()->HighlightedSteps().empty());
    details.HighlightInstruction(Variant(VariantArray{1, 2}));
    EXPECT_EQ(details.Instructions()->HighlightedSteps(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(details.Instructions()->StepLabel(1)->font().bold());
    EXPECT_FALSE(details.Instructions()->StepLabel(3)->font().bold());
    details.HighlightInstruction(Variant());
    EXPECT_FALSE(details.Instructions()->Highlight());
}

} // namespace
