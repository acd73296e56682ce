// The control panel with the real driver against the simulator on a pseudo-terminal: the
// record written with Apply is what the next opening shows, and an instrument that is absent
// or silent leaves the fields empty after the driver's one message.
#include "plugin/core/CNB4410ControlPanel.h"
#include "plugin/core/XNB4410ControlPanel.h"
#include "plugin/tests/common/MVti.h"
#include "sim/OperatorStore.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/plugin/SimulatedInstrument.h"

#include <QLabel>
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
    static QString label(XNB4410ControlPanel* page, const char* name)
    {
        return page->findChild<QLabel*>(QString::fromLatin1(name))->text();
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

    EXPECT_EQ(label(page, "lblApplied"), QStringLiteral("The operator record was stored in the NB-4410."));
    EXPECT_EQ(label(page, "lblVersion"), QStringLiteral("2.14")) << "the firmware the instrument reported";

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
        // Apply would write the blanks over the record.
        EXPECT_FALSE(page->findChild<QPushButton*>("cmdApplySettings")->isEnabled());
    }
}

TEST_F(ControlPanelOverSimulator, ARecordLongerThanTheFieldsIsShownWholeAndRefusedOnApply)
{
    const QString longName(55, QLatin1Char('n'));
    nb4410sim::OperatorStore(stateFile()).Save({longName, "City Hospital", "77-1"});
    start();
    auto* page = open();
    EXPECT_EQ(texts(page)[0], longName) << "never cut on the way in";
    page->findChild<QPushButton*>("cmdApplySettings")->click();
    EXPECT_EQ(nb4410sim::OperatorStore(stateFile()).Load().operatorName, longName) << "nothing written back";
    ASSERT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_EQ(messages.sink->shown[0].text,
              QStringLiteral("Operator holds 55 characters; the NB-4410 keeps at most 40. Shorten it, then apply again."));
    EXPECT_EQ(label(page, "lblApplied"), messages.sink->shown[0].text);
}

} // namespace
