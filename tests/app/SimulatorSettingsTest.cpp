// The built-in simulator for training and demonstrations: its speed is chosen in Settings and
// stored with the instrument's port (what the simulator is started with, unless the environment
// or --sim-speed overrides it), and the main window's panel shows the simulated monitor's display.
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/SettingsDialog.h"
#include "app/ostrel/SimulatedMonitorPanel.h"
#include "app/ostrel/StandardsCatalog.h"
#include "host/core/ClassRegistry.h"
#include "host/core/ClassTable.h"
#include "host/datalink/PortRegistry.h"
#include "host/datalink/VirtualDevices.h"
#include "tests/support/app/FakeMonitorDisplay.h"
#include "tests/support/RegistryGuard.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace ostrel;
using nb4410sim::IMonitorDisplay;
using nb4410sim::MonitorDisplayState;
using ostrel::testing::FakeMonitorDisplay;
using ostrel::testing::shownState;

namespace {

constexpr char kMachine[] = "Windows Registry Editor Version 5.00\r\n\r\n"
                            "[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\DataLink\\Ports\\1]\r\n"
                            "\"Instrument\"=\"NB-4410\"\r\n\"Device\"=\"simulator\"\r\n";

TEST(SimulatorSettings, TheSpeedTypedInSettingsIsStoredWithThePortAndStartsTheSimulator)
{
    ostrel::testing::RegistryGuard registry(QByteArray(kMachine), false);
    qunsetenv(VirtualDevices::kSpeedVariable);
    const StandardsCatalog catalog;
    {
        SettingsDialog settings(catalog, {});
        QDoubleSpinBox* speed = settings.SimulatorSpeedBox();
        EXPECT_EQ(speed->value(), 1.0); // real time until chosen
        EXPECT_TRUE(speed->isEnabled());
        speed->show();
        speed->setFocus();
        QTest::keyClick(speed, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(speed, QStringLiteral("50"));
        QTest::keyClick(speed, Qt::Key_Return);
        EXPECT_EQ(settings.SimulatorSpeed(), 50.0);
        settings.Apply();
    }
    EXPECT_EQ(SettingsDialog::CurrentSimulatorSpeed(), 50.0);
    const PortEntry port = PortRegistry::ReadRegistry().at(1);
    EXPECT_EQ(VirtualDevices::Options(port).value(QStringLiteral("TimeScale")), QStringLiteral("50"));
    // The command line's --sim-speed (the environment) still wins for its run.
    qputenv(VirtualDevices::kSpeedVariable, "120");
    EXPECT_EQ(VirtualDevices::Options(port).value(QStringLiteral("TimeScale")), QStringLiteral("120"));
    qunsetenv(VirtualDevices::kSpeedVariable);

    // Shown again next time; a real port has no speed to set.
    SettingsDialog again(catalog, {});
    EXPECT_EQ(again.SimulatorSpeedBox()->value(), 50.0);
    auto* port1 = again.findChild<QComboBox*>(QStringLiteral("cboPort"));
    ASSERT_TRUE(port1);
    port1->setCurrentIndex(port1->findData(PortRegistry::kAutoDevice));
    EXPECT_FALSE(again.SimulatorSpeedBox()->isEnabled());
}

TEST(SimulatedMonitorPanelTest, ShowsTheSimulatedMonitorsDisplayWhileTheSimulatorIsTheInstrument)
{
    ostrel::testing::RegistryGuard registry(QByteArray(kMachine), true);
    const QString progId = QString::fromLatin1(IMonitorDisplay::kProgId);
    ClassFactory previous;
    const bool hadClass = ClassRegistry::instance().FindLocal(progId, &previous);
    ClassRegistry::instance().RegisterLocal(progId, ClassFactory{&createObject<FakeMonitorDisplay>, nullptr});
    shownState() = MonitorDisplayState{};
    {
        MainWindow window(std::make_shared<PlugInHost>());
        SimulatedMonitorPanel* panel = window.MonitorPanel();
        ASSERT_TRUE(panel);
        EXPECT_EQ(panel->parentWidget(), window.statusBar());
        window.show();
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->Text(), "Simulated monitor: no measurement yet");
        shownState() = MonitorDisplayState{1, false};
        panel->Refresh();
        EXPECT_EQ(panel->Text(), "Simulated monitor: measuring...");
        shownState() = MonitorDisplayState{1, true, 121.4, 79.6, 93.2, 60.0};
        panel->Refresh();
        EXPECT_EQ(panel->Text(), "Simulated monitor: SYS 121  DIA 80  MAP 93 mmHg  Pulse 60 /min");
        panel->SetSimulatorInUse(false);
        EXPECT_FALSE(panel->isVisible());
    }
    if (hadClass)
        ClassRegistry::instance().RegisterLocal(progId, previous);
    else
        ClassRegistry::instance().UnregisterLocal(progId);
}

} // namespace
