#pragma once
// The databases the history tests run against: a fresh SQLite file always, and a fresh
// database on the PostgreSQL server named by $OSTREL_TEST_PG_URL. Without that variable the
// PostgreSQL cases are skipped (a developer's machine); with it, a server that cannot be
// reached fails them, so CI never passes without having tested PostgreSQL.
#include "host/history/DatabaseUrl.h"
#include "host/history/HistoryRecords.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ostrel::testing {

enum class Backend { SQLite, PostgreSQL };

std::string backendName(const ::testing::TestParamInfo<Backend>& info);

// Whether $OSTREL_TEST_PG_URL is set.
bool postgresConfigured();

// A new empty database of that kind; it is dropped with this object.
class FreshDatabase {
public:
    explicit FreshDatabase(Backend backend);
    ~FreshDatabase();

    // False when the backend is not configured here (the test should skip); a configured but
    // unreachable server has already failed the test.
    bool Ready() const { return m_ready; }
    const history::DatabaseUrl& Url() const { return m_url; }
    QString Text() const { return m_text; } // with the password, for --db
    QString Folder() const { return m_dir.path(); }

private:
    Backend m_backend;
    QTemporaryDir m_dir;
    bool m_ready = false;
    QString m_name;
    QString m_text;
    history::DatabaseUrl m_url;
};

// Test data: a run of a device and an element with measurements.
history::RunRecord sampleRun(const QString& serial, const QDateTime& started, const QString& verdict = QString());
history::ElementRecord sampleElement(int elementId, double drop, const QString& status = QStringLiteral("Passed"));

// Runs SQL against a database (for tests that look under the store).
int countRows(const history::DatabaseUrl& url, const QString& sql);

} // namespace ostrel::testing

// In a fixture's SetUp: a database that could not be made fails the test when PostgreSQL was
// configured (the failure is already recorded), and skips it when it was not. Fatal either
// way, so the test's body never runs without its database.
#define OSTREL_REQUIRE_DATABASE(database)                                                          \
    do {                                                                                           \
        if (!(database).Ready()) {                                                                 \
            if (::testing::Test::HasFailure())                                                     \
                FAIL() << "no PostgreSQL database for the test";                                   \
            GTEST_SKIP() << "OSTREL_TEST_PG_URL is not set";                                       \
        }                                                                                          \
    } while (false)
