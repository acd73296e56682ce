// The window as a technician uses it: the element panel's tabs answer clicks and show the
// docked editors; the sequence list shows each verdict while the run goes on.
#include "FakeElement.h"

#include "app/ostrel/ElementPanel.h"
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "tests/support/ScriptedMessages.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

class MainWindowUse : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto host = std::make_shared<PlugInHost>();
        host->Use(std::make_shared<FakePlugIn>());
        window = std::make_unique<MainWindow>(host);
    }
    void TearDown() override { window.reset(); }

    FakeElement& element(int index)
    {
        return *std::dynamic_pointer_cast<FakeElement>(window->Document().Entry(index).element);
    }

    MessageGuard messages;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
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
        firstRowWhileSecondRuns = window->Sequence()->item(0)->text();
        navigate(0)(second, context);
    };
    window->RunFrom(0);
    EXPECT_TRUE(firstRowWhileSecondRuns.contains(QStringLiteral("[Failed]"))) << qPrintable(firstRowWhileSecondRuns);
    EXPECT_TRUE(window->Sequence()->item(0)->text().contains(QStringLiteral("[Failed]")));
    // Refreshing the row did not edit the document: the check box still enables the element.
    EXPECT_TRUE(window->Document().Entry(0).enabled);
}

} // namespace
