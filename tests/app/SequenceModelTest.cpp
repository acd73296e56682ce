// The sequence list of the window: every status has its own colour and mark, a skipped
// element is told from one not run, and unticking an element shows it disabled at once.
#include "FakePlugInWindow.h"

#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/SequenceModel.h"
#include "tests/support/ScriptedMessages.h"

#include <QListView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

using namespace ostrel;
using namespace ostrel::testing;
using Status = SequenceModel::Status;

namespace {

class SequenceList : public FakePlugInWindow {
protected:
    SequenceModel& rows() { return *window->SequenceRows(); }
    QString text(int row) { return rows().index(row).data().toString(); }
};

TEST_F(SequenceList, EveryStatusHasItsColourAndMark)
{
    for (int i = 0; i < 6; ++i)
        window->AddTest(10);
    ASSERT_TRUE(window->SaveFile(dir.filePath(QStringLiteral("seq.xml"))));
    element(0).script = finishWith(1, 1.0);
    element(1).script = finishWith(2, 99.0);
    element(2).script = finishWith(3, 0.0);
    element(3).script = navigate(0); // skipped: on without a result
    window->Document().SetEnabled(4, false);
    element(5).script = navigate(2); // the run ends here
    window->RunFrom(0);
    window->AddTest(10);             // never run

    const std::vector<Status> expected{Status::Passed,   Status::Failed,   Status::NotApplicable, Status::Skipped,
                                       Status::Disabled, Status::Skipped,  Status::NotRun};
    ASSERT_EQ(rows().rowCount(), static_cast<int>(expected.size()));
    std::set<QRgb> colours;
    for (int row = 0; row < rows().rowCount(); ++row) {
        EXPECT_EQ(rows().StatusOf(row), expected[static_cast<size_t>(row)]) << "row " << row;
        EXPECT_FALSE(rows().index(row).data(Qt::DecorationRole).value<QIcon>().isNull()) << "row " << row;
        colours.insert(rows().index(row).data(Qt::ForegroundRole).value<QColor>().rgb());
    }
    EXPECT_EQ(colours.size(), 6u); // one colour per status shown
    EXPECT_TRUE(text(3).endsWith("[Skipped]")) << qPrintable(text(3));
    EXPECT_TRUE(text(6).endsWith("[Not run]")) << qPrintable(text(6));
    EXPECT_TRUE(text(4).endsWith("[Disabled]")) << qPrintable(text(4));
}

TEST_F(SequenceList, UntickingAnElementShowsItDisabledAtOnce)
{
    window->AddTest(10);
    window->AddTest(10);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QListView* view = window->Sequence();
    const QModelIndex second = rows().index(1);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(second);
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay |
                       QStyleOptionViewItem::HasDecoration;
    option.decorationSize = view->iconSize();
    const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_FALSE(window->Document().Entry(1).enabled);
    EXPECT_EQ(rows().StatusOf(1), Status::Disabled);
    EXPECT_TRUE(text(1).endsWith("[Disabled]")) << qPrintable(text(1));
    EXPECT_EQ(second.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(window->windowTitle().contains(QLatin1Char('*')));
}

} // namespace
