// The results store on both kinds of database: what is written comes back whole, a repeated
// write replaces instead of adding, the due list, and a database of the previous schema
// version upgraded in place without losing its rows.
#include "TestDatabases.h"

#include "host/history/HistoryError.h"
#include "host/history/HistorySchema.h"
#include "host/history/SqlResultsStore.h"

#include <gtest/gtest.h>

using namespace ostrel::history;
using namespace ostrel::testing;

namespace {

const QDateTime kJanuary(QDate(2026, 1, 2), QTime(9, 30), Qt::UTC);

class ResultsStoreTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        database = std::make_unique<FreshDatabase>(GetParam());
        OSTREL_REQUIRE_DATABASE(*database);
        store = std::make_unique<SqlResultsStore>(database->Url());
    }

    std::unique_ptr<FreshDatabase> database;
    std::unique_ptr<SqlResultsStore> store;
};

TEST_P(ResultsStoreTest, WhatIsWrittenComesBackWhole)
{
    RunRecord run = sampleRun(QStringLiteral("SN 12345"), kJanuary);
    store->WriteElement(run, sampleElement(1, 2.5));
    store->WriteElement(run, sampleElement(2, 7.25, QStringLiteral("Failed")));
    run.ended = kJanuary.addSecs(700);
    run.verdict = QStringLiteral("FAILED");
    store->FinishRun(run);

    const auto runs = store->DeviceHistory(QStringLiteral("SN 12345"));
    ASSERT_EQ(runs.size(), 1u);
    const RunRecord& back = runs[0].run;
    EXPECT_EQ(back.runId, run.runId);
    EXPECT_EQ(back.title, run.title);
    EXPECT_EQ(back.started, run.started);
    EXPECT_EQ(back.ended, run.ended);
    EXPECT_EQ(back.technician, run.technician);
    EXPECT_EQ(back.softwareVersion, run.softwareVersion);
    EXPECT_EQ(back.verdict, QStringLiteral("FAILED"));
    EXPECT_EQ(back.device.model, QStringLiteral("Monitor 7"));
    EXPECT_EQ(back.device.location, QStringLiteral("Ward 3"));
    ASSERT_EQ(back.instruments.size(), 1u);
    EXPECT_EQ(back.instruments[0].serialNumber, QStringLiteral("SN-44"));
    EXPECT_EQ(back.instruments[0].firmware, QStringLiteral("1.08"));

    ASSERT_EQ(runs[0].elements.size(), 2u);
    const ElementRecord expected = sampleElement(2, 7.25, QStringLiteral("Failed"));
    const ElementRecord& element = runs[0].elements[1];
    EXPECT_EQ(element.elementId, 2);
    EXPECT_EQ(element.name, expected.name);
    EXPECT_EQ(element.testType, 300);
    EXPECT_EQ(element.status, QStringLiteral("Failed"));
    EXPECT_EQ(element.started, expected.started);
    EXPECT_EQ(element.ended, expected.ended);
    EXPECT_EQ(element.comment, expected.comment);
    ASSERT_EQ(element.measurements.size(), 2u);
    const MeasurementRecord& drop = element.measurements[0];
    EXPECT_EQ(drop.key, QStringLiteral("DROP"));
    EXPECT_EQ(drop.value, 7.25);
    EXPECT_EQ(drop.limitHigh, 6.0);
    EXPECT_FALSE(drop.limitLow);
    EXPECT_EQ(drop.standard, QStringLiteral("IEC"));
    EXPECT_EQ(drop.limits, QStringLiteral("IEC: <= 6 mmHg"));
    EXPECT_EQ(drop.unit, QStringLiteral("mmHg"));
    EXPECT_EQ(drop.preset, QStringLiteral("150"));
    // A status the store has never seen needs no change of its tables.
    const MeasurementRecord& rate = element.measurements[1];
    EXPECT_FALSE(rate.value);
    EXPECT_EQ(rate.valueText, QStringLiteral("---"));
    EXPECT_EQ(rate.status, QStringLiteral("Not judged"));

    EXPECT_TRUE(store->DeviceHistory(QStringLiteral("SN 99999")).empty());
}

TEST_P(ResultsStoreTest, ARepeatedWriteReplacesInsteadOfAdding)
{
    const RunRecord run = sampleRun(QStringLiteral("SN 1"), kJanuary);
    for (double drop : {1.0, 2.0, 3.0})
        store->WriteElement(run, sampleElement(1, drop));
    store->WriteElement(sampleRun(QStringLiteral("SN 1"), kJanuary.addYears(1)), sampleElement(1, 4.0));
    const auto runs = store->DeviceHistory(QStringLiteral("SN 1"));
    ASSERT_EQ(runs.size(), 2u);
    ASSERT_EQ(runs[0].elements.size(), 1u);
    ASSERT_EQ(runs[0].elements[0].measurements.size(), 2u);
    EXPECT_EQ(runs[0].elements[0].measurements[0].value, 3.0);
    EXPECT_EQ(countRows(database->Url(), QStringLiteral("SELECT COUNT(*) FROM measurements")), 4);
    EXPECT_EQ(countRows(database->Url(), QStringLiteral("SELECT COUNT(*) FROM devices")), 1);
}

TEST_P(ResultsStoreTest, DevicesAreDueWhenTheirLastPassIsOlderThanAsked)
{
    const auto runOf = [&](const char* serial, const QDateTime& when, const char* verdict) {
        RunRecord run = sampleRun(QString::fromLatin1(serial), when, QString::fromLatin1(verdict));
        store->WriteElement(run, sampleElement(1, 1.0));
        store->FinishRun(run);
    };
    runOf("OLD", kJanuary.addYears(-2), "PASSED");
    runOf("OLD", kJanuary.addMonths(-1), "FAILED"); // a later failure does not make it current
    runOf("FRESH", kJanuary.addYears(-2), "PASSED");
    runOf("FRESH", kJanuary.addMonths(-1), "PASSED");
    runOf("NEVER", kJanuary.addMonths(-1), "INCOMPLETE");

    const auto due = store->DueDevices(kJanuary.addYears(-1));
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].device.serialNumber, QStringLiteral("NEVER"));
    EXPECT_FALSE(due[0].lastPassed.isValid());
    EXPECT_EQ(due[1].device.serialNumber, QStringLiteral("OLD"));
    EXPECT_EQ(due[1].lastPassed, kJanuary.addYears(-2));
    EXPECT_EQ(due[1].lastRun, kJanuary.addMonths(-1));
}

TEST_P(ResultsStoreTest, APreviousVersionIsUpgradedInPlaceWithoutLoss)
{
    store.reset();
    FreshDatabase old(GetParam());
    ASSERT_TRUE(old.Ready());
    {
        SqlSession session(old.Url());
        HistorySchema::Migrate(session, 1);
        ASSERT_EQ(HistorySchema::Version(session), 1);
        // Rows as the previous version wrote them.
        session.Exec(QStringLiteral("INSERT INTO devices (serial_number, model, location) VALUES ('SN 7', 'M', 'L')"));
        session.Exec(QStringLiteral("INSERT INTO runs (run_uid, device_id, title, started, verdict) SELECT 'r-1', id, 'Old run',"
                                    " '2024-05-01T08:00:00.000Z', 'PASSED' FROM devices"));
        session.Exec(QStringLiteral("INSERT INTO elements (run_id, element_id, position, name, test_type, status)"
                                    " SELECT id, 1, 1, 'Leak', 300, 'Passed' FROM runs"));
        session.Exec(QStringLiteral("INSERT INTO measurements (element_row, seq, key, value, value_text, limits, status)"
                                    " SELECT id, 1, 'DROP', 2.5, '2.5', 'IEC: <= 6 mmHg', 'Passed' FROM elements"));
    }
    SqlResultsStore upgraded(old.Url());
    EXPECT_EQ(HistorySchema::Version(upgraded.Session()), HistorySchema::kVersion);
    upgraded.WriteElement(sampleRun(QStringLiteral("SN 7"), kJanuary), sampleElement(1, 3.5));
    const auto runs = upgraded.DeviceHistory(QStringLiteral("SN 7"));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].run.title, QStringLiteral("Old run"));
    EXPECT_EQ(runs[0].run.verdict, QStringLiteral("PASSED"));
    ASSERT_EQ(runs[0].elements.size(), 1u);
    ASSERT_EQ(runs[0].elements[0].measurements.size(), 1u);
    EXPECT_EQ(runs[0].elements[0].measurements[0].value, 2.5);
    EXPECT_EQ(runs[0].elements[0].measurements[0].limits, QStringLiteral("IEC: <= 6 mmHg"));
    EXPECT_FALSE(runs[0].elements[0].measurements[0].limitHigh); // unknown before version 2
    EXPECT_EQ(runs[1].elements[0].measurements[0].limitHigh, 6.0);
    // Opening again changes nothing.
    SqlResultsStore again(old.Url());
    EXPECT_EQ(countRows(old.Url(), QStringLiteral("SELECT COUNT(*) FROM schema_version")), HistorySchema::kVersion);
}

TEST_P(ResultsStoreTest, ADatabaseOfANewerVersionIsRefused)
{
    store->Session().Exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)").arg(HistorySchema::kVersion + 1));
    store.reset();
    try {
        SqlResultsStore newer(database->Url());
        FAIL() << "a newer database was opened";
    } catch (const HistoryError& error) {
        EXPECT_TRUE(error.Text().contains(QStringLiteral("newer"))) << error.Text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, ResultsStoreTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL), backendName);

} // namespace
