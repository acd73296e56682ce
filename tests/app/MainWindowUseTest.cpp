// The window as a technician uses it: the element panel's tabs answer clicks and show the
// docked editors; the sequence list shows each verdict while the run goes on; the session
// ending in the middle of a run stops it before the program ends.
#include "FakePlugInWindow.h"

#include "app/ostrel/ElementPanel.h"
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/ResultExporter.h"
#include "app/ostrel/SequenceModel.h"
#include "app/ostrel/SequenceResults.h"
#include "tests/support/ScriptedMessages.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

class MainWindowUse : public FakePlugInWindow {
protected:
    QString rowText(int row) const { return window->SequenceRows()->index(row).data().toString(); }
};

TEST_F(MainWindowUse, EveryTabOfTheElementPanelAnswersAClickAndShowsItsEditor)
{
    window->AddTest(10);
    window->Select(0);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ElementPanel* panel = window->Panel();
    QTabBar* tabs = panel->tabBar();
    for (int tab = 0; tab < panel->count(); ++tab) {
        const QPoint centre = tabs->tabRect(tab).center();
        // Nothing of the panel lies over the tab bar.
        EXPECT_EQ(panel->childAt(tabs->mapTo(panel, centre)), tabs) << "tab " << tab;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, centre);
        EXPECT_EQ(panel->currentIndex(), tab);
    }
    panel->setCurrentIndex(0);
    auto* editor = panel->findChild<QLineEdit*>(QStringLiteral("txtSetting"));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_GT(editor->width(), 20);
}

TEST_F(MainWindowUse, TheListShowsAVerdictBeforeTheRunHasEnded)
{
    window->AddTest(10);
    window->AddTest(20);
    ASSERT_TRUE(window->SaveFile(dir.filePath(QStringLiteral("seq.xml"))));
    element(0).script = finishWith(2, 40.0);
    QString firstRowWhileSecondRuns;
    element(1).script = [&](FakeElement& second, const std::shared_ptr<IRunContext>& context) {
        firstRowWhileSecondRuns = rowText(0);
        navigate(0)(second, context);
    };
    window->RunFrom(0);
    EXPECT_TRUE(firstRowWhileSecondRuns.contains(QStringLiteral("[Failed]"))) << qPrintable(firstRowWhileSecondRuns);
    EXPECT_TRUE(rowText(0).contains(QStringLiteral("[Failed]")));
    // Refreshing the row did not edit the document: the check box still enables the element.
    EXPECT_TRUE(window->Document().Entry(0).enabled);
}

TEST_F(MainWindowUse, RunThisElementOnlyBesideRunFromSelected)
{
    for (int i = 0; i < 3; ++i)
        window->AddTest(10);
    ASSERT_TRUE(window->SaveFile(dir.filePath(QStringLiteral("seq.xml"))));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* fromSelected = window->findChild<QPushButton*>(QStringLiteral("cmdRunSelected"));
    auto* only = window->findChild<QPushButton*>(QStringLiteral("cmdRunOnly"));
    ASSERT_TRUE(fromSelected && only);
    EXPECT_EQ(only->text(), "Run this element only");
    EXPECT_EQ(only->y(), fromSelected->y());
    EXPECT_GT(only->x(), fromSelected->x());

    window->Select(1);
    fakeLog().clear();
    QTest::mouseClick(only, Qt::LeftButton);
    std::vector<QString> performed;
    for (const QString& line : fakeLog())
        if (line.startsWith(QStringLiteral("perform")))
            performed.push_back(line);
    EXPECT_EQ(performed, std::vector<QString>{QStringLiteral("perform 2")});
}

TEST_F(MainWindowUse, TheTechnicianCommentsAResultAndTheCommentIsKept)
{
    window->AddTest(10);
    const QString file = dir.filePath(QStringLiteral("seq.xml"));
    ASSERT_TRUE(window->SaveFile(file));
    window->Select(0);
    QPlainTextEdit* comment = window->Panel()->CommentBox();
    EXPECT_FALSE(comment->isEnabled()); // nothing run, nothing to comment on

    element(0).script = finishWith(1, 4.0);
    window->RunFrom(0);
    window->Select(0);
    ASSERT_TRUE(comment->isEnabled());
    comment->setFocus();
    QTest::keyClicks(comment, "cuff re-seated");
    EXPECT_EQ(element(0).Result()->Comment(), "cuff re-seated");
    EXPECT_TRUE(window->windowTitle().contains(QLatin1Char('*')));
    ASSERT_TRUE(window->SaveFile(file));

    ASSERT_TRUE(window->OpenFile(file));
    window->Select(0);
    EXPECT_EQ(window->Panel()->CommentBox()->toPlainText(), "cuff re-seated");
    const QByteArray json = ResultExporter::ToJson(window->Document(), SequenceResults::Collect(window->Document()));
    EXPECT_TRUE(json.contains("cuff re-seated")) << json.constData();
}

// SIGTERM (the desktop session ends) while a sequence runs: no further element starts, what
// finished is saved, and the program ends with the signal's code once the run is over.
TEST_F(MainWindowUse, SigtermDuringARunStopsItAndEndsTheProgram)
{
    window->AddTest(10);
    window->AddTest(10);
    const QString file = dir.filePath(QStringLiteral("seq.xml"));
    ASSERT_TRUE(window->SaveFile(file));
    element(0).script = [](FakeElement& first, const std::shared_ptr<IRunContext>& context) {
        std::raise(SIGTERM);
        QTest::qWait(20); // the signal's notice reaches the event loop
        finishWith(1, 4.0)(first, context);
    };
    fakeLog().clear();
    QTimer guard; // never waits forever for an end that does not come
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(60000);
    QTimer::singleShot(0, window.get(), [this] { window->RunFrom(0); });
    EXPECT_EQ(QCoreApplication::exec(), MainWindow::kSignalExitBase + SIGTERM);

    std::vector<QString> performed;
    for (const QString& line : fakeLog())
        if (line.startsWith(QStringLiteral("perform")))
            performed.push_back(line);
    EXPECT_EQ(performed, std::vector<QString>{QStringLiteral("perform 1")});
    ASSERT_TRUE(window->OpenFile(file));
    ASSERT_TRUE(element(0).Result());
    EXPECT_EQ(element(0).Result()->Status(), 1);
}

} // namespace
