// The control panel with the real driver against the simulator on a pseudo-terminal: the
// record written with Apply is what the next opening shows, and an instrument that is absent
// or silent leaves the fields empty after the driver's one message.
#include "plugin/core/CNB4410ControlPanel.h"
#include "plugin/core/XNB4410ControlPanel.h"
#include "plugin/tests/common/MVti.h"
#include "sim/OperatorStore.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/plugin/SimulatedInstrument.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace nb4410;

namespace {

class ControlPanelOverSimulator : public ::testing::Test {
protected:
    void start(QHash<QString, QString> options = {}) { rig.start(options); }
    QString stateFile() const { return rig.stateFile(); }
    static ostrel::PortRegistryPtr ports() { return nb4410::testing::SimulatedInstrument::ports(); }

    XNB4410ControlPanel* open()
    {
        dialog = panel->GetSetup();
        return panel->ControlPanel();
    }
    static QLineEdit* box(XNB4410ControlPanel* page, const char* name)
    {
        return page->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static QStringList texts(XNB4410ControlPanel* page)
    {
        return {box(page, "txtOperator")->text(), box(page, "txtEstablishment")->text(),
                box(page, "txtSerialNumber")->text()};
    }

    ostrel::testing::MessageGuard messages;
    nb4410::testing::SimulatedInstrument rig;
    std::shared_ptr<CNB4410ControlPanel> panel = std::make_shared<CNB4410ControlPanel>();
    std::shared_ptr<ostrel::IDialog> dialog;
};

TEST_F(ControlPanelOverSimulator, ApplyStoresTheRecordThatTheNextOpeningShows)
{
    nb4410sim::OperatorStore(stateFile()).Save({"Anna Berg", "City Hospital", "77-1"});
    start();
    auto* page = open();
    ASSERT_TRUE(page);
    EXPECT_EQ(texts(page), QStringList({"Anna Berg", "City Hospital", "77-1"}));

    box(page, "txtOperator")->setText("Carl Dahl");
    box(page, "txtSerialNumber")->setText("77-2");
    page->findChild<QPushButton*>("cmdApplySettings")->click();
    const nb4410sim::OperatorRecord stored = nb4410sim::OperatorStore(stateFile()).Load();
    EXPECT_EQ(stored.operatorName, "Carl Dahl");
    EXPECT_EQ(stored.establishment, "City Hospital");
    EXPECT_EQ(stored.serialNo, "77-2");

    auto* reopened = open();
    EXPECT_EQ(texts(reopened), QStringList({"Carl Dahl", "City Hospital", "77-2"}));
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(ControlPanelOverSimulator, NoInstrumentOrASilentOneLeavesTheFieldsEmpty)
{
    struct Case {
        const char* what;
        bool simulator;
        QHash<QString, QString> options;
    };
    const Case cases[] = {{"no port for the instrument", false, {}},
                          {"no reply to the connection", true, {{"DelayReply", "1"}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.sink->shown.clear();
        if (c.simulator)
            start(c.options);
        else
            ports()->SetPorts({});
        auto* page = open();
        EXPECT_EQ(texts(page), QStringList({"", "", ""}));
        EXPECT_EQ(messages.sink->shown.size(), 1u) << "the driver's own message, and only that";
        EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    }
}

} // namespace
