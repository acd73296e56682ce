// Nothing is lost while the database is away: results wait in the local outbox and reach the
// database in the order they were made, once each, at the next write or by Sync. After a
// failed write, the writes of the next half minute go to the outbox without trying (a server
// that does not answer would hold up every element by its connection timeout). The
// database is "away" because the folder its address names (the SQLite file's, or the
// PostgreSQL server's socket folder) is missing; linking the folder in brings it back.
#include "TestDatabases.h"

#include "host/history/IResultsStore.h"
#include "host/history/ResultsHistory.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace ostrel::history;
using namespace ostrel::testing;

namespace {

const QDateTime kMarch(QDate(2026, 3, 4), QTime(11, 0), Qt::UTC);

class OutboxTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        database = std::make_unique<FreshDatabase>(GetParam());
        OSTREL_REQUIRE_DATABASE(*database);
        link = dir.filePath(QStringLiteral("link"));
        QString text = database->Text();
        if (GetParam() == Backend::SQLite) {
            real = database->Folder();
            text = link + QStringLiteral("/history.sqlite");
        } else {
            const int host = text.indexOf(QStringLiteral("host="));
            ASSERT_GE(host, 0) << "the PostgreSQL test server is reached through its socket folder";
            real = text.mid(host + 5).section(QLatin1Char('&'), 0, 0);
            text = text.left(host + 5) + link;
        }
        history = std::make_unique<ResultsHistory>(DatabaseUrl::Parse(text), dir.filePath(QStringLiteral("outbox.sqlite")));
        history->onError = [this](const QString& text) { errors << text; };
        // Every write tries the database, except where a test says otherwise.
        history->SetRetryAfterMs(0);
    }

    void bringBack() { ASSERT_TRUE(QFile::link(real, link)); }

    std::vector<HistoryRun> stored(const QString& serial)
    {
        return history->Store().DeviceHistory(serial);
    }

    QTemporaryDir dir;
    std::unique_ptr<FreshDatabase> database;
    QString real;
    QString link;
    std::unique_ptr<ResultsHistory> history;
    QStringList errors;
};

TEST_P(OutboxTest, ResultsWaitWhileTheDatabaseIsAwayAndArriveInOrderOnce)
{
    RunRecord run = sampleRun(QStringLiteral("SN 5"), kMarch);
    history->WriteElement(run, sampleElement(1, 1.0));
    history->WriteElement(run, sampleElement(2, 2.0));
    history->WriteElement(run, sampleElement(1, 1.5)); // the element run again: the later result stands
    EXPECT_EQ(history->Pending(), 3);
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_FALSE(history->LastError().isEmpty());

    bringBack();
    run.verdict = QStringLiteral("PASSED");
    run.ended = kMarch.addSecs(300);
    history->FinishRun(run); // the next write delivers what waits first
    EXPECT_EQ(history->Pending(), 0);
    EXPECT_TRUE(history->LastError().isEmpty());

    const auto runs = stored(QStringLiteral("SN 5"));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].run.verdict, QStringLiteral("PASSED"));
    ASSERT_EQ(runs[0].elements.size(), 2u);
    EXPECT_EQ(runs[0].elements[0].measurements[0].value, 1.5);
    EXPECT_EQ(runs[0].elements[1].measurements[0].value, 2.0);

    // Delivering again (a crash after delivery, before the outbox forgot it) adds nothing.
    EXPECT_EQ(history->Sync(), 0);
    EXPECT_EQ(countRows(database->Url(), QStringLiteral("SELECT COUNT(*) FROM elements")), 2);
    EXPECT_EQ(countRows(database->Url(), QStringLiteral("SELECT COUNT(*) FROM measurements")), 4);
}

TEST_P(OutboxTest, SyncDeliversWhatWaitsAndSaysWhenTheDatabaseIsStillAway)
{
    history->WriteElement(sampleRun(QStringLiteral("SN 6"), kMarch), sampleElement(1, 1.0));
    EXPECT_EQ(history->Sync(), -1);
    EXPECT_EQ(history->Pending(), 1);
    bringBack();
    // A new program (the next start) finds the outbox where the last one left it.
    ResultsHistory next(history->Target(), dir.filePath(QStringLiteral("outbox.sqlite")));
    EXPECT_EQ(next.Pending(), 1);
    EXPECT_EQ(next.Sync(), 1);
    EXPECT_EQ(next.Pending(), 0);
    EXPECT_EQ(next.Store().DeviceHistory(QStringLiteral("SN 6")).size(), 1u);
}

TEST_P(OutboxTest, AnotherDatabasesResultsStayInTheOutbox)
{
    history->WriteElement(sampleRun(QStringLiteral("SN 8"), kMarch), sampleElement(1, 1.0));
    FreshDatabase other(Backend::SQLite);
    ResultsHistory elsewhere(other.Url(), dir.filePath(QStringLiteral("outbox.sqlite")));
    EXPECT_EQ(elsewhere.Pending(), 0);
    elsewhere.WriteElement(sampleRun(QStringLiteral("SN 9"), kMarch), sampleElement(1, 1.0));
    EXPECT_TRUE(elsewhere.Store().DeviceHistory(QStringLiteral("SN 8")).empty());
    EXPECT_EQ(history->Pending(), 1);
}

TEST_P(OutboxTest, AfterAFailedWriteTheNextOnesWaitWithoutTryingUntilSync)
{
    history->SetRetryAfterMs(ResultsHistory::kRetryAfterMs);
    RunRecord run = sampleRun(QStringLiteral("SN 7"), kMarch);
    history->WriteElement(run, sampleElement(1, 1.0));
    ASSERT_EQ(errors.size(), 1);
    bringBack();
    history->WriteElement(run, sampleElement(2, 2.0));
    history->FinishRun(run);
    EXPECT_EQ(errors.size(), 1) << "the database was tried again";
    EXPECT_EQ(history->Pending(), 3);
    EXPECT_EQ(history->Sync(), 3);
    EXPECT_EQ(history->Pending(), 0);
    ASSERT_EQ(stored(QStringLiteral("SN 7")).size(), 1u);
    EXPECT_EQ(stored(QStringLiteral("SN 7"))[0].elements.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Backends, OutboxTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL), backendName);

} // namespace
