// The window: a document that cannot be opened leaves the open one as it was; edits in a
// docked editor mark the document modified; the sequence list edits the document.
#include "FakePlugInWindow.h"

#include "app/ostrel/ElementPanel.h"
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/SequenceModel.h"
#include "tests/support/ScriptedMessages.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

class MainWindowTest : public FakePlugInWindow {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(MainWindowTest, ADocumentThatCannotBeOpenedKeepsTheOpenOne)
{
    window->AddTest(10);
    window->AddTest(30);
    ASSERT_TRUE(window->SaveFile(path("good.xml")));

    QFile bad(path("bad.xml"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("<OstrelSequence Format=\"1\"><Sequence><Element PlugIn=\"FAKE\" TestID=\"10\"");
    bad.close();

    EXPECT_FALSE(window->OpenFile(path("bad.xml")));
    EXPECT_EQ(window->Document().Count(), 2);
    EXPECT_EQ(window->Document().Path(), QFileInfo(path("good.xml")).absoluteFilePath());
    EXPECT_EQ(window->SequenceRows()->rowCount(), 2);
    ASSERT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_TRUE(messages.sink->shown[0].text.contains(QStringLiteral("bad.xml")));

    EXPECT_TRUE(window->OpenFile(path("good.xml")));
    EXPECT_EQ(window->Document().Count(), 2);
}

TEST_F(MainWindowTest, AChangeInTheDockedEditorMarksTheDocumentModified)
{
    window->AddTest(10);
    ASSERT_TRUE(window->SaveFile(path("seq.xml")));
    window->Select(0);
    auto* editor = window->Panel()->findChild<QLineEdit*>(QStringLiteral("txtSetting"));
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(window->Document().IsModified());
    QTest::keyClicks(editor, QStringLiteral("X"));
    EXPECT_TRUE(window->Document().IsModified());
    auto element = std::dynamic_pointer_cast<FakeElement>(window->Document().Entry(0).element);
    EXPECT_EQ(element->config().setting, QStringLiteral("defaultX"));
    // Showing another element and coming back shows the edited value.
    window->AddTest(20);
    window->Select(0);
    editor = window->Panel()->findChild<QLineEdit*>(QStringLiteral("txtSetting"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("defaultX"));
}

TEST_F(MainWindowTest, UncheckingAnElementDisablesIt)
{
    window->AddTest(10);
    window->AddTest(20);
    window->SequenceRows()->setData(window->SequenceRows()->index(1), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(window->Document().Entry(1).enabled);
    EXPECT_TRUE(window->Document().Entry(0).enabled);
    EXPECT_TRUE(window->Document().IsModified());
}

} // namespace
