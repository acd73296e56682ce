// The device "auto" of an installed system: the first real serial port, or a failure that
// tells the user what to do when the machine has none.
#include "host/core/ComError.h"
#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/PortRegistry.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

TEST(PortAuto, WithoutASerialPortTheOpeningFailsNamingTheSimulator)
{
    if (!PortRegistry::FirstRealPort().isEmpty())
        GTEST_SKIP() << "this machine has a serial port: " << PortRegistry::FirstRealPort().toStdString();
    PortRegistry ports;
    ports.SetPorts({{1, PortEntry{QStringLiteral("NB-4410"), PortRegistry::kAutoDevice, {}}}});
    try {
        ports.OpenLink(1, QStringLiteral("38400,O,8,1"));
        FAIL() << "a link was opened without a serial port";
    } catch (const ComError& failure) {
        EXPECT_EQ(failure.number(), kDataLinkOpenFailed);
        EXPECT_TRUE(failure.description().contains(QStringLiteral("No serial port was found"))) << failure.description().toStdString();
        EXPECT_TRUE(failure.description().contains(QStringLiteral("\"simulator\""))) << failure.description().toStdString();
    }
}

} // namespace
