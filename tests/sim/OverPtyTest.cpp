// The driver against the simulator over a real pseudo-terminal: the same serial path as with
// an instrument, with the simulator's faults standing in for a bad line.
#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/datalink/SerialLink.h"
#include "sim/Simulator.h"
#include "tests/support/Failures.h"
#include "tests/support/ScriptedMessages.h"
#include "vti/CNB4410VTI.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410vti;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

using ostrel::testing::failureOf;

class OverPty : public ::testing::Test {
protected:
    void start(QHash<QString, QString> values = {})
    {
        values.insert(QStringLiteral("StateFile"), dir.filePath(QStringLiteral("operator.ini")));
        values.insert(QStringLiteral("DelayMs"), QString::number(kLateMs));
        if (!values.contains(QStringLiteral("Pacing")))
            values.insert(QStringLiteral("Pacing"), QStringLiteral("0"));
        if (!values.contains(QStringLiteral("TimeScale")))
            values.insert(QStringLiteral("TimeScale"), QStringLiteral("100"));
        path = simulator.Start(values);
        ports()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});
    }
    void SetUp() override { CNB4410VTI::SetReplyWindowMs(kWindowMs); }
    void TearDown() override
    {
        driver->EndRemote();
        ports()->ResetPorts();
        simulator.Stop();
        CNB4410VTI::SetReplyWindowMs(0);
    }
    // The driver's window, and a late reply comfortably beyond it.
    static constexpr int kWindowMs = 200;
    static constexpr int kLateMs = 300;
    static ostrel::PortRegistryPtr ports() { return ostrel::DataLinkRoot::instance()->PortRegistry(); }

    QStringList shown() const { return messages.sink->shownTexts(); }
    Variant leakParams() const
    {
        return Variant(VariantArray{Variant(VariantArray::fromTexts(
            {QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("20")}))});
    }

    // Whether another program could open the device now.
    bool othersCanOpen() const
    {
        QSerialPort other(path);
        const bool opened = other.open(QIODevice::ReadWrite);
        other.close();
        return opened;
    }

    QString path;
    QTemporaryDir dir;
    ostrel::testing::MessageGuard messages;
    nb4410sim::Simulator simulator;
    std::shared_ptr<CNB4410VTI> driver = std::make_shared<CNB4410VTI>();
};

TEST_F(OverPty, LeakTestRunsToItsEnd)
{
    start();
    const ostrel::MtiDataPtr identity = driver->StartRemote();
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->SerialNo(), QStringLiteral("44100815"));
    EXPECT_EQ(identity->FWVersion(), QStringLiteral("2.14"));
    Variant params = leakParams();
    driver->StartTest(params);
    ASSERT_EQ(driver->VtiState(), evtiPerformingTest);

    std::int32_t testId = 300;
    Variant reply;
    int polls = 0;
    int lastElapsed = -1;
    do {
        driver->GetTestResult(testId, reply);
        ASSERT_TRUE(reply.isArray());
        ASSERT_EQ(reply.array().count(), 6);
        const int elapsed = static_cast<int>(reply.array()[5].val());
        EXPECT_GE(elapsed, lastElapsed);
        lastElapsed = elapsed;
        ASSERT_LT(++polls, 20000);
    } while (reply.array()[1].val() <= 0);
    EXPECT_EQ(lastElapsed, 20);
    EXPECT_GT(reply.array()[4].val(), 0.0);
    driver->StopTest();
    driver->EndRemote();
    EXPECT_EQ(driver->VtiState(), evtiNotConnected);
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(OverPty, OperatorRecordIsWrittenAndReadBack)
{
    start({{QStringLiteral("Pacing"), QStringLiteral("1")}});
    driver->StartRemote();
    QString op = QStringLiteral("Märta"), est = QStringLiteral("Clinic B"), serial = QStringLiteral("77");
    driver->PutMTIData(op, est, serial);
    QString a, b, c;
    driver->GetMtiData(a, b, c);
    EXPECT_EQ(QStringList({a, b, c}), QStringList({op, est, serial}));
}

TEST_F(OverPty, InstrumentErrorAndWrongNameReachTheUser)
{
    start({{QStringLiteral("ErrmCommand"), QStringLiteral("STST:6002")}, {QStringLiteral("WrongName"), QStringLiteral("2")}});
    driver->StartRemote();
    QString a, b, c;
    EXPECT_EQ(failureOf([&] { driver->GetMtiData(a, b, c); }), eeVTI_Error); // reply 2: "GMTD"
    Variant params = leakParams();
    EXPECT_EQ(failureOf([&] { driver->StartTest(params); }), eeVTI_Error);
    ASSERT_EQ(messages.sink->shown.size(), 2u);
    EXPECT_TRUE(shown()[0].startsWith(QStringLiteral("Invalid data recieved from the NB-4410.")));
    EXPECT_EQ(shown()[1], QStringLiteral("Error received from MTI: 6002\r\nTest not allowed\r\nOccurred when performing "
                                         "STST\r\nSimulated error"));
}

TEST_F(OverPty, LostAndLateRepliesTimeOut)
{
    for (const char* fault : {"DropReply", "DelayReply"}) {
        SCOPED_TRACE(fault);
        messages.sink->shown.clear();
        start({{QString::fromLatin1(fault), QStringLiteral("1")}});
        driver = std::make_shared<CNB4410VTI>();
        EXPECT_EQ(failureOf([&] { driver->StartRemote(); }), eeVTI_Error);
        EXPECT_EQ(shown(), QStringList{QStringLiteral(
                               "No NB-4410 connected. Please check all cables and check that the NB-4410 is turned on.")});
        driver->EndRemote();
    }
}

TEST_F(OverPty, ABrokenResultIsAskedForAgainAndAHangUpFailsAtOnce)
{
    struct Case {
        const char* fault;
        const char* value;
        ostrel::HResult failure;
    };
    for (const Case& c : {Case{"CorruptReply", "3", 0}, Case{"HangUpAfter", "3", eeVTI_Error}}) {
        SCOPED_TRACE(c.fault);
        messages.sink->shown.clear();
        start({{QString::fromLatin1(c.fault), QString::fromLatin1(c.value)}});
        driver = std::make_shared<CNB4410VTI>();
        driver->StartRemote();
        Variant params = leakParams();
        driver->StartTest(params);
        std::int32_t testId = 300;
        Variant reply;
        // The reply that goes out as the line drops may still arrive: the next poll fails then.
        ostrel::HResult failure = 0;
        for (int poll = 0; poll < 2 && failure == 0; ++poll)
            failure = failureOf([&] { driver->GetTestResult(testId, reply); });
        EXPECT_EQ(failure, c.failure);
        if (c.failure)
            EXPECT_EQ(shown(), QStringList{QStringLiteral("Communication error with the NB-4410 unit. Please check all "
                                                          "cables and check that the NB-4410 is turned on.")});
        else
            EXPECT_TRUE(shown().isEmpty());
        driver->EndRemote();
        EXPECT_EQ(driver->VtiState(), evtiNotConnected);
    }
}

// The elements of a run end and start their sessions one after the other: the built-in
// simulator's port stays open between them, and is let go for other programs when nobody takes it.
TEST_F(OverPty, TheNextSessionTakesOverThePortThatIsLetGoWhenNobodyDoes)
{
    ports()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), QStringLiteral("simulator"),
                                             {{QStringLiteral("Pacing"), QStringLiteral("0")},
                                              {QStringLiteral("StateFile"), dir.filePath(QStringLiteral("state.ini"))}}}}});
    ASSERT_TRUE(driver->StartRemote());
    path = std::dynamic_pointer_cast<ostrel::SerialLink>(driver->Link())->DevicePath();
    driver->EndRemote();
    ASSERT_TRUE(ports()->Park()->HasParked());
    EXPECT_FALSE(othersCanOpen());

    const ostrel::MtiDataPtr identity = driver->StartRemote();
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->SerialNo(), QStringLiteral("44100815"));
    EXPECT_FALSE(ports()->Park()->HasParked());
    driver->EndRemote();
    ports()->Park()->CloseParked();
    EXPECT_TRUE(othersCanOpen());

    ostrel::PortPark park(1);
    auto port = std::make_unique<QSerialPort>(path);
    ASSERT_TRUE(port->open(QIODevice::ReadWrite));
    park.Park(std::move(port), path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !park.HasParked(); }, 10000));
    EXPECT_TRUE(othersCanOpen());
    // Another device's port is not handed out, and does not keep its lock either.
    port = std::make_unique<QSerialPort>(path);
    ASSERT_TRUE(port->open(QIODevice::ReadWrite));
    park.Park(std::move(port), path);
    EXPECT_EQ(park.Take(QStringLiteral("/dev/ttyS-other")), nullptr);
    EXPECT_FALSE(park.HasParked());
    // A terminal that goes away lets go of the parked port without waiting for the expiry.
    ostrel::PortPark patient;
    ASSERT_TRUE(driver->StartRemote());
    driver->EndRemote();
    port = std::make_unique<QSerialPort>(path);
    ports()->Park()->CloseParked();
    ASSERT_TRUE(port->open(QIODevice::ReadWrite));
    patient.Park(std::move(port), path);
    ports()->StopDevices();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !patient.HasParked(); }, 10000));
}

// The port another program holds: the failure says what to check, not only Qt's reason.
TEST_F(OverPty, APortThatIsHeldElsewhereFailsSayingWhatToCheck)
{
    start();
    QSerialPort holder(path);
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const auto failure = ostrel::testing::errorOf([&] { ostrel::SerialLink link(path, ostrel::LinkSettings{}); });
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->description().contains(path)) << failure->description().toStdString();
    EXPECT_TRUE(failure->description().contains(QStringLiteral("another program holds the port")))
        << failure->description().toStdString();
}

TEST_F(OverPty, SimulatorDeviceStartsInsideTheProcess)
{
    qputenv("OSTREL_SIM_SPEED", "1000");
    qputenv("OSTREL_SIM_STATE", dir.filePath(QStringLiteral("state.ini")).toLocal8Bit());
    ports()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), QStringLiteral("simulator"),
                                             {{QStringLiteral("TimeScale"), QStringLiteral("1")},
                                              {QStringLiteral("Pacing"), QStringLiteral("0")}}}}});
    driver->StartRemote();
    Variant params(VariantArray{Variant(VariantArray::fromTexts({QStringLiteral("200")}))});
    driver->StartTest(params);
    std::int32_t testId = 200;
    Variant reply;
    QElapsedTimer clock;
    clock.start();
    do {
        driver->GetTestResult(testId, reply);
        ASSERT_LT(clock.elapsed(), 3000); // 5 simulated seconds at 1000 times speed
    } while (reply.array()[1].val() <= 0);
    EXPECT_EQ(reply.array()[2].toText(), QStringLiteral("140"));
    EXPECT_GT(driver->Link()->Counters().received, 2u);
    driver->EndRemote();
    qunsetenv("OSTREL_SIM_SPEED");
    qunsetenv("OSTREL_SIM_STATE");
}

TEST(PortRegistry, FindsTheInstrumentAndRefusesBadSettings)
{
    auto registry = std::make_shared<ostrel::PortRegistry>();
    registry->SetPorts({{3, ostrel::PortEntry{QStringLiteral("Other"), QStringLiteral("/dev/null"), {}}},
                        {5, ostrel::PortEntry{QStringLiteral("nb-4410"), QStringLiteral("/nonexistent/tty"), {}}},
                        {7, ostrel::PortEntry{QStringLiteral("NB-4410"), QStringLiteral("/dev/null"), {}}}});
    EXPECT_EQ(registry->FindPort(QStringLiteral("NB-4410"), QString()), 5);
    EXPECT_EQ(registry->FindPort(QStringLiteral("NB-9999"), QString()), 0);
    const auto failure = [&](std::int32_t port, const char* settings) {
        try {
            registry->OpenLink(port, QString::fromLatin1(settings));
        } catch (const ostrel::ComError& e) {
            return e.number();
        }
        return ostrel::HResult(0);
    };
    EXPECT_EQ(failure(5, "38400,X,8,1"), ostrel::kDataLinkInvalidSettings);
    EXPECT_EQ(failure(5, "38400,O,9,1"), ostrel::kDataLinkInvalidSettings);
    EXPECT_EQ(failure(5, "fast,O,8,1"), ostrel::kDataLinkInvalidSettings);
    EXPECT_EQ(failure(4, "38400,O,8,1"), ostrel::kDataLinkUnknownPort);
    EXPECT_EQ(failure(5, "38400,O,8,1"), ostrel::kDataLinkOpenFailed);
}

} // namespace
