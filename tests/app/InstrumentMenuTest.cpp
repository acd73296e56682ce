// The instrument's entries of the Tools menu: the operator record (the plug-in's page in a
// dialog of the window, found by its class name through the class registry) and the link view.
#include "FakeElement.h"

#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "host/core/ClassRegistry.h"
#include "host/datalink/DataLinkRoot.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/app/LoadedPlugIn.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

TEST(OperatorRecordMenu, OpensThePlugInsPageInADialog)
{
    const auto host = ostrel::testing::loadedPlugIn();
    ASSERT_TRUE(host);
    MessageGuard messages;
    // No instrument on the port: the page opens with empty fields after the driver's message.
    auto ports = DataLinkRoot::instance()->PortRegistry();
    ports->SetPorts({{1, PortEntry{QStringLiteral("NB-4410"), QStringLiteral("/dev/does-not-exist"), {}}}});
    MainWindow window(host);
    auto* action = window.findChild<QAction*>(QStringLiteral("actOperatorRecord"));
    ASSERT_TRUE(action);
    bool pageShown = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        pageShown = dialog->objectName() == QLatin1String("dlgOperatorRecord") &&
                    dialog->findChild<QLineEdit*>(QStringLiteral("txtOperator")) != nullptr;
        dialog->reject();
    });
    action->trigger();
    ports->ResetPorts();
    EXPECT_TRUE(pageShown);
    EXPECT_EQ(messages.sink->shown.size(), 1u) << "the driver's one message about the missing port";
}

// Opens the dialog behind a menu entry and hands it to inspect before closing it.
void openFromMenu(MainWindow& window, const char* action, const std::function<void(QDialog&)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, &window, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            inspect(*dialog);
            dialog->reject();
        }
    });
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    EXPECT_TRUE(seen) << action;
}

TEST(InstrumentLinkView, ListsThePortsTheIdentityAndTheCounters)
{
    auto host = std::make_shared<PlugInHost>();
    host->Use(std::make_shared<FakePlugIn>());
    MainWindow window(host);
    auto root = DataLinkRoot::instance();
    root->NoteIdentity({QStringLiteral("44100815"), QStringLiteral("2.14"), QStringLiteral("NB-4410 NIBP Analyzer")});
    LinkCounters session;
    session.sent = 12;
    session.received = 11;
    session.dropped = 1;
    session.resends = 1;
    const LinkCounters before = root->ClosedLinks();
    root->NoteLinkClosed(session);
    openFromMenu(window, "actInstrumentLink", [&](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QTableWidget*>(QStringLiteral("tblPorts"))->rowCount(),
                  QSerialPortInfo::availablePorts().size());
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblIdentity"))->text(),
                  QStringLiteral("NB-4410 NIBP Analyzer, serial number 44100815, firmware 2.14"));
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblCounters"))->text(),
                  QStringLiteral("frames sent %1, received %2, bad checksum or broken %3, discarded %4, resends %5")
                      .arg(before.sent + 12)
                      .arg(before.received + 11)
                      .arg(before.dropped + 1)
                      .arg(before.discarded)
                      .arg(before.resends + 1));
    });
}

} // namespace
