// A bad line end to end: the driver runs each test type against the simulator over a real
// pseudo-terminal while the simulator breaks, loses, delays or doubles one reply to one
// command. Every run ends with the values of a clean run, or fails with one clear message
// and the instrument's test stopped.
#include "host/datalink/DataLinkRoot.h"
#include "sim/Simulator.h"
#include "tests/support/Failures.h"
#include "tests/support/ScriptedMessages.h"
#include "vti/CNB4410VTI.h"
#include "vti/NB4410Protocol.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace nb4410vti;
namespace wire = nb4410::protocol;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

constexpr int kWindowMs = 150;
constexpr int kLateMs = 220;

struct TestKind {
    const char* name;
    int type;
    QStringList parameters;
};

const std::vector<TestKind>& testKinds()
{
    static const std::vector<TestKind> kinds{
        {"leak", wire::kTestLeak, {QStringLiteral("300"), QStringLiteral("100"), QStringLiteral("1"), QStringLiteral("5")}},
        {"overpressure", wire::kTestOverPressure, {QStringLiteral("400"), QStringLiteral("280")}},
        {"cuffvolume", wire::kTestCuffVolume, {QStringLiteral("200")}},
        {"bp", wire::kTestBloodPressure,
         {QStringLiteral("100"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("120"),
          QStringLiteral("80"), QStringLiteral("70"), QStringLiteral("0"), QStringLiteral("1")}},
    };
    return kinds;
}

struct Outcome {
    bool completed = false;
    QStringList lastReply;
    QStringList messages;
    bool instrumentRunning = false;
};

class LinkFault : public ::testing::Test {
protected:
    void SetUp() override { CNB4410VTI::SetReplyWindowMs(kWindowMs); }
    void TearDown() override
    {
        ostrel::DataLinkRoot::instance()->PortRegistry()->ResetPorts();
        CNB4410VTI::SetReplyWindowMs(0);
    }

    // One session as a test element runs it: identify, start, poll to the end, stop, end.
    Outcome run(const TestKind& kind, const QString& commandFault)
    {
        ostrel::testing::MessageGuard messages;
        nb4410sim::Simulator simulator;
        // Unpaced: the line's timing is not what these runs are about, and they are many.
        QHash<QString, QString> values{{QStringLiteral("StateFile"), dir.filePath(QStringLiteral("operator.ini"))},
                                       {QStringLiteral("Pacing"), QStringLiteral("0")},
                                       {QStringLiteral("TimeScale"), QStringLiteral("200")},
                                       {QStringLiteral("DelayMs"), QString::number(kLateMs)}};
        if (!commandFault.isEmpty())
            values.insert(QStringLiteral("CommandFault"), commandFault);
        const QString path = simulator.Start(values);
        ostrel::DataLinkRoot::instance()->PortRegistry()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});

        Outcome outcome;
        auto driver = std::make_shared<CNB4410VTI>();
        const ostrel::HResult failure = ostrel::testing::failureOf([&] {
            driver->StartRemote();
            Variant params(VariantArray{Variant(VariantArray::fromTexts(
                std::vector<QString>(kind.parameters.begin(), kind.parameters.end())))});
            driver->StartTest(params);
            std::int32_t type = kind.type;
            for (int poll = 0; poll < 5000; ++poll) {
                Variant reply;
                driver->GetTestResult(type, reply);
                outcome.lastReply.clear();
                for (const Variant& field : reply.array().items())
                    outcome.lastReply << field.toText();
                if (reply.array()[wire::gres::kEnd].val() > 0)
                    break;
            }
            driver->StopTest();
        });
        if (failure)
            driver->StopTest(); // what a test element does after a failed run
        driver->EndRemote();
        outcome.completed = failure == 0;
        outcome.messages = messages.sink->shownTexts();
        outcome.instrumentRunning = simulator.TestRunning();
        simulator.Stop();
        return outcome;
    }

    QTemporaryDir dir;
};

const QString k22003 =
    QStringLiteral("No NB-4410 connected. Please check all cables and check that the NB-4410 is turned on.");

TEST_F(LinkFault, EveryRunCompletesWithTheCleanValuesOrFailsWithOneMessage)
{
    struct Case {
        const char* command;
        std::vector<const char*> faults;
        bool everyKind; // all four test types, or the leak test alone
    };
    const std::vector<Case> cases{
        {"IREM", {"corrupt", "drop", "delay", "duplicate"}, false},
        {"STST", {"corrupt", "drop", "delay", "duplicate"}, true},
        {"GRES", {"corrupt", "drop", "delay", "duplicate"}, true},
        {"ATST", {"corrupt", "drop", "delay"}, false},
        {"EREM", {"drop"}, false},
    };
    for (const TestKind& kind : testKinds()) {
        const Outcome clean = run(kind, QString());
        ASSERT_TRUE(clean.completed) << kind.name;
        ASSERT_EQ(clean.lastReply.value(wire::gres::kEnd), QStringLiteral("1")) << kind.name;
        for (const Case& c : cases) {
            if (!c.everyKind && kind.type != wire::kTestLeak)
                continue;
            for (const char* how : c.faults) {
                const QString fault = QStringLiteral("%1:%2").arg(QString::fromLatin1(c.command), QString::fromLatin1(how));
                SCOPED_TRACE(std::string(kind.name) + " " + fault.toStdString());
                const Outcome outcome = run(kind, fault);
                EXPECT_FALSE(outcome.instrumentRunning);
                // Silence on the first command means no instrument: nothing was started.
                const bool noInstrument = fault == QLatin1String("IREM:drop") || fault == QLatin1String("IREM:delay");
                if (noInstrument) {
                    EXPECT_FALSE(outcome.completed);
                    EXPECT_EQ(outcome.messages, QStringList{k22003});
                } else {
                    EXPECT_TRUE(outcome.completed);
                    EXPECT_EQ(outcome.lastReply, clean.lastReply);
                    EXPECT_EQ(outcome.messages, QStringList{});
                }
            }
        }
    }
}

// ---- the tools over the simulator ------------------------------------------------------------

QString tool(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(name);
}

// Runs nb4410 to its end; the environment shrinks the driver's window as the tests do.
QProcess* startTool(const QStringList& arguments, QObject* parent)
{
    auto* process = new QProcess(parent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("OSTREL_VTI_REPLY_WINDOW_MS"), QString::number(kWindowMs));
    process->setProcessEnvironment(environment);
    process->start(tool("nb4410"), arguments);
    return process;
}

class ToolOverSimulator : public ::testing::Test {
protected:
    QString start(QHash<QString, QString> values = {})
    {
        values.insert(QStringLiteral("StateFile"), dir.filePath(QStringLiteral("operator.ini")));
        values.insert(QStringLiteral("TimeScale"), QStringLiteral("50"));
        values.insert(QStringLiteral("DelayMs"), QString::number(kLateMs));
        return simulator.Start(values);
    }
    int finish(QProcess* process)
    {
        EXPECT_TRUE(process->waitForFinished(30000));
        return process->exitCode();
    }

    QTemporaryDir dir;
    nb4410sim::Simulator simulator;
    QObject owner;
};

// The first client is killed mid-test, so nobody stops its test: the next one to start a test
// finds the instrument busy with it, stops it and starts its own.
TEST_F(ToolOverSimulator, ANewClientIsServedAfterTheLastOneDiedMidRun)
{
    const QString path = start();
    QProcess* first = startTool({QStringLiteral("--device"), path, QStringLiteral("run"), QStringLiteral("leak"),
                                 QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("600")},
                                &owner);
    ASSERT_TRUE(first->waitForReadyRead(10000)); // the first result line: the run is under way
    first->kill();
    first->waitForFinished(10000);
    EXPECT_TRUE(simulator.TestRunning()) << "the killed client's test";

    QProcess* second = startTool({QStringLiteral("--device"), path, QStringLiteral("run"), QStringLiteral("cuffvolume")}, &owner);
    EXPECT_EQ(finish(second), 0) << second->readAllStandardError().toStdString();
    EXPECT_FALSE(simulator.TestRunning());

    QProcess* third = startTool({QStringLiteral("--device"), path, QStringLiteral("identify")}, &owner);
    EXPECT_EQ(finish(third), 0) << third->readAllStandardError().toStdString();
    EXPECT_TRUE(third->readAllStandardOutput().contains("Serial number: 44100815"));
}

// Ctrl+C, SIGTERM and the terminal going away (SIGHUP) stop the instrument's test before the
// tool ends.
TEST_F(ToolOverSimulator, ASignalStopsTheRunningTestBeforeTheToolEnds)
{
    const QString path = start();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        QProcess* process = startTool({QStringLiteral("--device"), path, QStringLiteral("run"), QStringLiteral("leak"),
                                       QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("600")},
                                      &owner);
        ASSERT_TRUE(process->waitForReadyRead(10000)); // the first result line: the run is under way
        ASSERT_TRUE(simulator.TestRunning());
        ::kill(static_cast<pid_t>(process->processId()), signal);
        EXPECT_EQ(finish(process), 0) << process->readAllStandardError().toStdString();
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_FALSE(simulator.TestRunning());
    }
}

TEST_F(ToolOverSimulator, ARecordWriteWhoseReplyIsBrokenIsConfirmedAndTheTraceNamesTheResend)
{
    const QString path = start({{QStringLiteral("CommandFault"), QStringLiteral("PMTD:corrupt")},
                                {QStringLiteral("CorruptReply"), QStringLiteral("3")}});
    const QString trace = dir.filePath(QStringLiteral("trace.log"));
    QProcess* process = startTool({QStringLiteral("--device"), path, QStringLiteral("--trace"), trace,
                                   QStringLiteral("operator"), QStringLiteral("--set"), QStringLiteral("Ann"),
                                   QStringLiteral("Ward 3"), QStringLiteral("77")},
                                  &owner);
    EXPECT_EQ(finish(process), 0) << process->readAllStandardError().toStdString();
    EXPECT_TRUE(process->readAllStandardOutput().contains("Operator: Ann"));
    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("sent <STX>PMTD<US>Ann<US>Ward 3<US>77<ETX>")));
    EXPECT_TRUE(text.contains(QStringLiteral("dropped frame (wrong checksum)")));
    EXPECT_TRUE(text.contains(QStringLiteral("resend GMTD attempt 2")));
    EXPECT_TRUE(text.contains(QStringLiteral("confirmed by reading it back")));
}

TEST_F(ToolOverSimulator, InstrumentAndUsageErrorsHaveTheirExitCodes)
{
    const QString path = start({{QStringLiteral("ErrmCommand"), QStringLiteral("STST:6002")}});
    EXPECT_EQ(finish(startTool({QStringLiteral("--device"), path, QStringLiteral("run"), QStringLiteral("leak"),
                                QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("5")},
                               &owner)),
              4);
    EXPECT_EQ(finish(startTool({QStringLiteral("--device"), QStringLiteral("/dev/does-not-exist"), QStringLiteral("identify")},
                               &owner)),
              4);
    EXPECT_EQ(finish(startTool({QStringLiteral("frobnicate")}, &owner)), 2);
}

} // namespace
