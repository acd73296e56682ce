// The control panel as the host uses it, connected to a driver double: the page shows the
// instrument's operator record when it opens and Apply writes it back.
#include "FakeVti.h"
#include "host/contract/IDialog.h"
#include "host/core/ClassRegistry.h"
#include "plugin/core/CNB4410ControlPanel.h"
#include "plugin/core/XNB4410ControlPanel.h"
#include "plugin/guide/FDialogWrapper.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::FakeVti;
using nb4410::testing::FakeVtiRegistration;

namespace {

QStringList shownTexts(XNB4410ControlPanel* page)
{
    QStringList texts;
    for (const char* name : {"txtOperator", "txtEstablishment", "txtSerialNumber"})
        texts << page->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    return texts;
}

void type(XNB4410ControlPanel* page, const QStringList& values)
{
    int i = 0;
    for (const char* name : {"txtOperator", "txtEstablishment", "txtSerialNumber"})
        page->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(values[i++]);
}

QPushButton* applyButton(XNB4410ControlPanel* page)
{
    return page->findChild<QPushButton*>(QStringLiteral("cmdApplySettings"));
}

const QStringList kEmpty{"", "", ""};

class ControlPanel : public ::testing::Test {
protected:
    FakeVti& driver() { return fake.driver(); }
    XNB4410ControlPanel* open()
    {
        dialog = panel->GetSetup();
        return panel->ControlPanel();
    }

    FakeVtiRegistration fake;
    std::shared_ptr<CNB4410ControlPanel> panel = std::make_shared<CNB4410ControlPanel>();
    std::shared_ptr<ostrel::IDialog> dialog;
};

TEST(ControlPanelClass, CreatedByTheHostItOffersADialogAndNoSettings)
{
    auto object = ostrel::ClassRegistry::instance().Create(QString::fromLatin1(CNB4410ControlPanel::kProgId));
    auto setup = ostrel::query<ostrel::ISetup>(object);
    ASSERT_TRUE(setup);
    ASSERT_TRUE(ostrel::query<_CNB4410ControlPanel>(object));
    EXPECT_TRUE(setup->HasDialog());
    setup->SetSettings("anything");
    EXPECT_EQ(setup->Settings(), "");
    setup->RegLoad(ostrel::Hive::LocalMachine, "Software");
    setup->RegSave(ostrel::Hive::LocalMachine, "Software");
}

TEST_F(ControlPanel, EachDialogIsNewAndGetSetupKeepsItsOwn)
{
    auto first = panel->CreateDialog();
    auto* firstPage = panel->ControlPanel();
    EXPECT_FALSE(panel->Dialog()) << "CreateDialog alone keeps nothing";
    auto second = panel->GetSetup();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_NE(firstPage, panel->ControlPanel());
    EXPECT_EQ(panel->Dialog(), second);
    auto* wrapper = dynamic_cast<FDialogWrapper*>(second.get());
    ASSERT_TRUE(wrapper);
    EXPECT_EQ(wrapper->Extender(), panel->ControlPanel());
    EXPECT_EQ(panel->ControlPanel()->Owner(), std::static_pointer_cast<_CNB4410ControlPanel>(panel));
}

TEST_F(ControlPanel, OpeningShowsTheInstrumentsRecordInOneRemoteSession)
{
    auto* page = open();
    ASSERT_TRUE(page);
    EXPECT_EQ(shownTexts(page), QStringList({"J. Doe", "Clinic", "SN-7"}));
    EXPECT_EQ(driver().calls, QStringList({"StartRemote", "GetMtiData", "EndRemote"}));
    EXPECT_EQ(driver().state, nb4410vti::evtiNotConnected);
}

TEST_F(ControlPanel, ApplyWritesTheFieldsInOneRemoteSession)
{
    auto* page = open();
    driver().calls.clear();
    type(page, {"New operator", "New place", "SN-8"});
    applyButton(page)->click();
    EXPECT_EQ(driver().calls, QStringList({"StartRemote", "PutMTIData", "EndRemote"}));
    EXPECT_EQ(driver().stored, QStringList({"New operator", "New place", "SN-8"}));
    EXPECT_EQ(driver().state, nb4410vti::evtiNotConnected);
    EXPECT_TRUE(applyButton(page)->isEnabled());
}

TEST_F(ControlPanel, WhenTheInstrumentFailsTheFieldsStayEmptyAndTheConnectionIsEnded)
{
    // Each failure is shown once, by the driver; the page adds nothing and keeps no texts.
    struct Case {
        const char* failOn;
        QStringList calls;
    };
    const Case cases[] = {
        {"StartRemote", {"StartRemote", "EndRemote"}},
        {"GetMtiData", {"StartRemote", "GetMtiData", "EndRemote"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failOn);
        driver().calls.clear();
        driver().messagesShown = 0;
        driver().failOn = QString::fromLatin1(c.failOn);
        auto* page = open();
        EXPECT_EQ(shownTexts(page), kEmpty);
        EXPECT_EQ(driver().calls, c.calls);
        EXPECT_EQ(driver().messagesShown, 1);
        EXPECT_EQ(driver().state, nb4410vti::evtiNotConnected) << "a failed connection must not stay half open";
    }

    driver().failOn = "PutMTIData";
    auto* page = open();
    driver().calls.clear();
    type(page, {"x", "y", "z"});
    applyButton(page)->click();
    EXPECT_EQ(driver().calls, QStringList({"StartRemote", "PutMTIData", "EndRemote"}));
    EXPECT_EQ(shownTexts(page), QStringList({"x", "y", "z"})) << "the operator's typing is kept for another try";
    EXPECT_TRUE(applyButton(page)->isEnabled());
}

TEST(ControlPanelWithoutDriver, OpensEmptyAndApplyDoesNothing)
{
    // No driver library registered under its class: nothing to talk to, nothing to fail.
    ostrel::ClassRegistry::instance().UnregisterLocal(QString::fromLatin1(nb4410vti::kGNB4410VTIProgId));
    MVti::Reset();
    auto panel = std::make_shared<CNB4410ControlPanel>();
    auto dialog = panel->GetSetup();
    auto* page = panel->ControlPanel();
    ASSERT_TRUE(page);
    EXPECT_EQ(shownTexts(page), kEmpty);
    type(page, {"a", "b", "c"});
    applyButton(page)->click();
    EXPECT_EQ(shownTexts(page), QStringList({"a", "b", "c"}));
    MVti::Reset();
}

TEST_F(ControlPanel, AConnectionSomeoneElseOpenedIsUsedAndNeverClosed)
{
    struct Case {
        nb4410vti::EVtiState state;
        QStringList shown;
    };
    // Idle: the record is read on that connection; a test in progress: the driver declines.
    const Case cases[] = {{nb4410vti::evtiIdle, {"J. Doe", "Clinic", "SN-7"}},
                          {nb4410vti::evtiPerformingTest, kEmpty}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state));
        driver().state = c.state;
        driver().calls.clear();
        auto* page = open();
        EXPECT_EQ(shownTexts(page), c.shown);
        type(page, {"a", "b", "c"});
        applyButton(page)->click();
        EXPECT_EQ(driver().calls, QStringList({"GetMtiData", "PutMTIData"}));
        EXPECT_EQ(driver().state, c.state);
    }
}

TEST_F(ControlPanel, ApplyDuringTheOpeningReadIsRefused)
{
    // The real driver lets the event loop run while it waits; a click on Apply then would
    // write the still empty fields over the instrument's record.
    driver().whileWaiting = [this] {
        if (auto* page = panel->ControlPanel())
            applyButton(page)->click();
    };
    auto* page = open();
    EXPECT_EQ(driver().calls, QStringList({"StartRemote", "GetMtiData", "EndRemote"}));
    EXPECT_EQ(driver().stored, QStringList({"J. Doe", "Clinic", "SN-7"}));
    EXPECT_EQ(shownTexts(page), driver().stored);
}

TEST_F(ControlPanel, ASecondApplyWhileTheFirstWaitsIsRefused)
{
    auto* page = open();
    type(page, {"first", "b", "c"});
    driver().calls.clear();
    driver().whileWaiting = [page] {
        type(page, {"second", "b", "c"});
        applyButton(page)->click();
    };
    applyButton(page)->click();
    EXPECT_EQ(driver().calls, QStringList({"StartRemote", "PutMTIData", "EndRemote"}));
    EXPECT_EQ(driver().stored.value(0), "first");
}

TEST_F(ControlPanel, ThePanelAndItsDialogMayBeReleasedWhileTheInstrumentIsAwaited)
{
    auto* page = open();
    driver().calls.clear();
    driver().whileWaiting = [this] {
        dialog.reset();
        panel.reset();
    };
    applyButton(page)->click();
    EXPECT_EQ(driver().calls, QStringList({"StartRemote", "PutMTIData", "EndRemote"}));
    EXPECT_EQ(driver().state, nb4410vti::evtiNotConnected);
}

TEST_F(ControlPanel, APageThatOutlivesItsPanelWritesNothing)
{
    auto* page = open();
    auto keptDialog = dialog;
    dialog.reset();
    panel.reset();
    driver().calls.clear();
    applyButton(page)->click();
    EXPECT_TRUE(driver().calls.isEmpty());
    EXPECT_FALSE(page->Owner());
}

TEST_F(ControlPanel, TheDialogLocksThePage)
{
    auto* page = open();
    dialog->SetLocked(true);
    EXPECT_TRUE(dialog->Locked());
    EXPECT_TRUE(page->findChild<QLineEdit*>(QStringLiteral("txtEstablishment"))->isReadOnly());
    EXPECT_EQ(shownTexts(page), QStringList({"J. Doe", "Clinic", "SN-7"}));
}

} // namespace
