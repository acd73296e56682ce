// End to end with the programs a technician runs: "ostrel run" over the simulator writes every
// element into the results database as it finishes, "ostrel history" reads it back, several
// benches write into one PostgreSQL at once, and neither a server stopped in the middle of a
// run nor a process killed in the middle of a write loses or splits a result.
#include "TestDatabases.h"

#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/SequenceDocument.h"
#include "host/core/AppUtil.h"
#include "host/core/ComError.h"
#include "host/history/SqlResultsStore.h"
#include "tests/support/app/LoadedPlugIn.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::history;
using namespace ostrel::testing;

namespace {

constexpr int kRunTimeoutMs = 180000;

struct Finished {
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

// A process environment in which the outbox (and the default history) are the test's own.
QProcessEnvironment environment(const QString& dataFolder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataFolder);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("OSTREL_DB"));
    return env;
}

void start(QProcess& process, const QStringList& args, const QProcessEnvironment& env)
{
    process.setProcessEnvironment(env);
    process.start(AppPath() + QStringLiteral("ostrel"), args);
}

Finished finish(QProcess& process)
{
    EXPECT_TRUE(process.waitForFinished(kRunTimeoutMs)) << "ostrel did not end";
    return {process.exitCode(), process.exitStatus() == QProcess::CrashExit, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Finished ostrelRun(const QStringList& args, const QProcessEnvironment& env)
{
    QProcess process;
    start(process, args, env);
    return finish(process);
}

class HistoryRunTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        const auto host = ostrel::testing::loadedPlugIn();
        ASSERT_TRUE(host);
        database = std::make_unique<FreshDatabase>(GetParam());
        OSTREL_REQUIRE_DATABASE(*database);
        env = environment(dir.path());
        sample = AppPath() + QStringLiteral("samples/nibp-check.xml");
        // A short sequence for the many-runs cases: the sample's leak and cuff-volume tests.
        auto document = SequenceDocument::Load(sample, host->Factory(), nullptr);
        for (int i = document->Count() - 1; i >= 0; --i)
            if (document->Entry(i).element->TestID() != 300 && document->Entry(i).element->TestID() != 200)
                document->Remove(i);
        shortSequence = dir.filePath(QStringLiteral("short.xml"));
        document->SaveAs(shortSequence);
        shortCount = document->Count();
        sampleCount = SequenceDocument::Load(sample, host->Factory(), nullptr)->Count();
    }

    QStringList runArgs(const QString& sequence, const QString& serial) const
    {
        return {QStringLiteral("run"), sequence, QStringLiteral("--operator"), QStringLiteral("auto"), QStringLiteral("--sim-speed"),
                QStringLiteral("400"), QStringLiteral("--dut-serial"), serial, QStringLiteral("--db"), database->Text()};
    }

    int count(const char* sql) const { return countRows(database->Url(), QString::fromLatin1(sql)); }

    QTemporaryDir dir;
    std::unique_ptr<FreshDatabase> database;
    QProcessEnvironment env;
    QString sample;
    QString shortSequence;
    int shortCount = 0;
    int sampleCount = 0;
};

TEST_P(HistoryRunTest, AHeadlessRunLandsInTheStoreAndTheHistoryCommandShowsIt)
{
    const Finished run = ostrelRun(runArgs(sample, QStringLiteral("MON 123")) << QStringLiteral("--technician")
                                                                              << QStringLiteral("Jo Smith"),
                                   env);
    ASSERT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("outbox"))) << run.err.toStdString();

    const Finished json = ostrelRun({QStringLiteral("history"), QStringLiteral("MON 123"), QStringLiteral("--json"),
                                     QStringLiteral("--db"), database->Text()},
                                    env);
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const auto runs = QJsonDocument::fromJson(json.out.toUtf8()).object()[QStringLiteral("runs")].toArray();
    ASSERT_EQ(runs.size(), 1) << json.out.toStdString();
    const auto stored = runs[0].toObject();
    EXPECT_EQ(stored[QStringLiteral("verdict")].toString(), QStringLiteral("PASSED"));
    EXPECT_EQ(stored[QStringLiteral("technician")].toString(), QStringLiteral("Jo Smith"));
    EXPECT_FALSE(stored[QStringLiteral("instruments")].toArray().isEmpty());
    const auto elements = stored[QStringLiteral("elements")].toArray();
    ASSERT_EQ(elements.size(), sampleCount);
    int measurements = 0;
    int banded = 0;
    for (const auto& value : elements) {
        const auto element = value.toObject();
        EXPECT_EQ(element[QStringLiteral("status")].toString(), QStringLiteral("Passed"));
        for (const auto& m : element[QStringLiteral("measurements")].toArray()) {
            ++measurements;
            const auto measurement = m.toObject();
            if (measurement[QStringLiteral("limitLow")].isDouble() || measurement[QStringLiteral("limitHigh")].isDouble()) {
                ++banded;
                EXPECT_FALSE(measurement[QStringLiteral("standard")].toString().isEmpty());
            }
        }
    }
    EXPECT_GT(banded, 0);

    const Finished csv = ostrelRun({QStringLiteral("history"), QStringLiteral("MON 123"), QStringLiteral("--csv"),
                                    QStringLiteral("--db"), database->Text()},
                                   env);
    EXPECT_EQ(csv.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), measurements + 1) << csv.out.toStdString();
    const Finished text = ostrelRun({QStringLiteral("history"), QStringLiteral("MON 123"), QStringLiteral("--db"), database->Text()}, env);
    EXPECT_TRUE(text.out.contains(QStringLiteral("PASSED"))) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("Jo Smith"))) << text.out.toStdString();
    // A yes/no value in words, as the report shows it.
    EXPECT_TRUE(text.out.contains(QStringLiteral("MREL Released"))) << text.out.toStdString();

    // Just passed: not due within a year, due when a day is all it may be.
    const auto due = [&](const char* interval) {
        return ostrelRun({QStringLiteral("history"), QStringLiteral("--due"), QStringLiteral("--interval"), QString::fromLatin1(interval),
                          QStringLiteral("--db"), database->Text()},
                         env)
            .out;
    };
    EXPECT_FALSE(due("12m").contains(QStringLiteral("MON 123")));
    EXPECT_EQ(ostrelRun({QStringLiteral("history"), QStringLiteral("--due"), QStringLiteral("--interval"), QStringLiteral("soon")}, env)
                  .exitCode,
              2);
}

// Nothing tested, nothing in the device's history (the run once showed up as "NOT JUDGED").
TEST_P(HistoryRunTest, ARunInWhichNoElementRanLeavesNoRun)
{
    const auto host = ostrel::testing::loadedPlugIn();
    auto document = SequenceDocument::Load(sample, host->Factory(), nullptr);
    for (int i = 0; i < document->Count(); ++i)
        document->SetEnabled(i, false);
    const QString disabled = dir.filePath(QStringLiteral("disabled.xml"));
    document->SaveAs(disabled);
    const Finished run = ostrelRun(runArgs(disabled, QStringLiteral("MON 9")), env);
    EXPECT_EQ(run.exitCode, 3) << run.out.toStdString() << run.err.toStdString(); // not judged
    const Finished history = ostrelRun({QStringLiteral("history"), QStringLiteral("MON 9"), QStringLiteral("--json"),
                                        QStringLiteral("--db"), database->Text()},
                                       env);
    ASSERT_EQ(history.exitCode, 0) << history.err.toStdString();
    EXPECT_TRUE(QJsonDocument::fromJson(history.out.toUtf8()).object()[QStringLiteral("runs")].toArray().isEmpty())
        << history.out.toStdString();
}

TEST_P(HistoryRunTest, AKillInTheMiddleOfAWriteLeavesNoPartialElement)
{
    // The third element's write dies between its rows and its commit, as a kill -9 would.
    QProcessEnvironment dying = env;
    dying.insert(QStringLiteral("OSTREL_TEST_KILL_IN_WRITE"), QStringLiteral("3"));
    const Finished run = ostrelRun(runArgs(sample, QStringLiteral("MON 9")), dying);
    ASSERT_TRUE(run.crashed) << run.out.toStdString() << run.err.toStdString();

    EXPECT_EQ(count("SELECT COUNT(*) FROM elements"), 2);
    // Every element that is there has all its measurements, and no measurement lacks its element.
    EXPECT_EQ(count("SELECT COUNT(*) FROM elements e WHERE NOT EXISTS (SELECT 1 FROM measurements m WHERE m.element_row = e.id)"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM measurements m WHERE NOT EXISTS (SELECT 1 FROM elements e WHERE e.id = m.element_row)"), 0);
    // The database goes on working.
    const Finished next = ostrelRun(runArgs(shortSequence, QStringLiteral("MON 9")), env);
    EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
    EXPECT_EQ(count("SELECT COUNT(*) FROM elements"), 2 + shortCount);
}

TEST_P(HistoryRunTest, SeveralBenchesAtOnceWriteEveryElementOnce)
{
    if (GetParam() == Backend::SQLite)
        GTEST_SKIP() << "several benches share a PostgreSQL server";
    constexpr int kBenches = 4;
    constexpr int kRunsEach = 3;
    std::vector<std::unique_ptr<QProcess>> benches;
    std::vector<int> left(kBenches, kRunsEach);
    int failures = 0;
    QEventLoop loop;
    int running = 0;
    std::function<void(int)> next = [&](int bench) {
        if (left[bench]-- == 0)
            return;
        auto& process = benches[static_cast<size_t>(bench)];
        process = std::make_unique<QProcess>();
        ++running;
        QObject::connect(process.get(), &QProcess::finished, &loop, [&, bench](int code, QProcess::ExitStatus status) {
            if (code != 0 || status != QProcess::NormalExit) {
                ++failures;
                ADD_FAILURE() << benches[static_cast<size_t>(bench)]->readAllStandardError().toStdString();
            }
            --running;
            QMetaObject::invokeMethod(&loop, [&, bench] {
                next(bench);
                if (running == 0)
                    loop.quit();
            }, Qt::QueuedConnection);
        });
        start(*process, runArgs(shortSequence, QStringLiteral("BENCH-%1").arg(bench)), env);
    };
    benches.resize(kBenches);
    for (int bench = 0; bench < kBenches; ++bench)
        next(bench);
    QTimer::singleShot(kRunTimeoutMs * 2, &loop, [&] {
        ADD_FAILURE() << "the benches did not end";
        loop.quit();
    });
    loop.exec();
    ASSERT_EQ(failures, 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM runs"), kBenches * kRunsEach);
    EXPECT_EQ(count("SELECT COUNT(*) FROM runs WHERE verdict = 'PASSED'"), kBenches * kRunsEach);
    EXPECT_EQ(count("SELECT COUNT(*) FROM elements"), kBenches * kRunsEach * shortCount);
    EXPECT_EQ(count("SELECT COUNT(*) FROM devices"), kBenches);
    EXPECT_EQ(count("SELECT COUNT(*) FROM (SELECT run_id, element_id FROM elements GROUP BY run_id, element_id"
                    " HAVING COUNT(*) > 1) duplicates"),
              0);
}

INSTANTIATE_TEST_SUITE_P(Backends, HistoryRunTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL), backendName);

// A server of the test's own, stopped after the run's first element and started again after
// the run: the run ends normally, the rest of its elements wait in the outbox and arrive once.
TEST(HistoryServerAway, AServerStoppedMidRunLosesNothing)
{
    if (!postgresConfigured())
        GTEST_SKIP() << "OSTREL_TEST_PG_URL is not set";
    auto host = std::make_shared<PlugInHost>();
    ASSERT_NO_THROW(host->Load());
    QTemporaryDir dir;
    // Run as root, the cluster belongs to another user, who must be able to reach its folder.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    const QString script = QStringLiteral(OSTREL_SOURCE_DIR "/scripts/pg-test-cluster.sh");
    const QString cluster = dir.filePath(QStringLiteral("cluster"));
    const auto control = [&](const char* command) {
        QProcess process;
        process.start(script, {QString::fromLatin1(command), cluster});
        EXPECT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    };
    const QString url = control("start");
    ASSERT_FALSE(url.isEmpty());
    struct Stop {
        std::function<void()> stop;
        ~Stop() { stop(); }
    } stopAtEnd{[&] { control("stop"); }};

    const QString sample = AppPath() + QStringLiteral("samples/nibp-check.xml");
    const int elements = SequenceDocument::Load(sample, host->Factory(), nullptr)->Count();
    const QProcessEnvironment env = environment(dir.path());
    QProcess run;
    bool stopped = false;
    QObject::connect(&run, &QProcess::readyReadStandardOutput, &run, [&] {
        // The first element's line: its result has been written; now the server goes away.
        if (!stopped && run.peek(1 << 16).contains("[1/")) {
            stopped = true;
            control("stop");
        }
    });
    start(run, {QStringLiteral("run"), sample, QStringLiteral("--operator"), QStringLiteral("auto"), QStringLiteral("--sim-speed"),
                QStringLiteral("400"), QStringLiteral("--dut-serial"), QStringLiteral("AWAY-1"), QStringLiteral("--db"), url},
          env);
    const Finished finished = finish(run);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(finished.exitCode, 0) << finished.err.toStdString();
    EXPECT_TRUE(finished.err.contains(QStringLiteral("wait in the outbox"))) << finished.err.toStdString();

    control("start");
    const Finished sync = ostrelRun({QStringLiteral("history"), QStringLiteral("--sync"), QStringLiteral("--db"), url}, env);
    EXPECT_EQ(sync.exitCode, 0) << sync.out.toStdString() << sync.err.toStdString();
    EXPECT_TRUE(sync.out.contains(QStringLiteral("0 still waiting"))) << sync.out.toStdString();
    const DatabaseUrl server = DatabaseUrl::Parse(url);
    EXPECT_EQ(countRows(server, QStringLiteral("SELECT COUNT(*) FROM elements")), elements);
    EXPECT_EQ(countRows(server, QStringLiteral("SELECT COUNT(*) FROM runs WHERE verdict = 'PASSED'")), 1);
    // Syncing again delivers nothing twice.
    ostrelRun({QStringLiteral("history"), QStringLiteral("--sync"), QStringLiteral("--db"), url}, env);
    EXPECT_EQ(countRows(server, QStringLiteral("SELECT COUNT(*) FROM elements")), elements);
}

} // namespace
