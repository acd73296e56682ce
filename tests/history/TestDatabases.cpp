#include "TestDatabases.h"

#include "host/history/HistoryError.h"
#include "host/history/SqlSession.h"

#include <QUuid>

namespace ostrel::testing {

using namespace ostrel::history;

std::string backendName(const ::testing::TestParamInfo<Backend>& info)
{
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

bool postgresConfigured()
{
    return !qEnvironmentVariableIsEmpty("OSTREL_TEST_PG_URL");
}

namespace {
QString withDatabase(QString url, const QString& name)
{
    // postgresql://user@host/olddb?query -> postgresql://user@host/name?query
    const int query = url.indexOf(QLatin1Char('?'));
    const QString tail = query >= 0 ? url.mid(query) : QString();
    QString head = query >= 0 ? url.left(query) : url;
    head = head.left(head.lastIndexOf(QLatin1Char('/')) + 1) + name;
    return head + tail;
}
} // namespace

FreshDatabase::FreshDatabase(Backend backend) : m_backend(backend)
{
    if (backend == Backend::SQLite) {
        m_text = m_dir.filePath(QStringLiteral("history.sqlite"));
        m_url = DatabaseUrl::SQLiteFile(m_text);
        m_ready = true;
        return;
    }
    if (!postgresConfigured())
        return;
    const QString server = qEnvironmentVariable("OSTREL_TEST_PG_URL");
    m_name = QStringLiteral("ostrel_") + QUuid::createUuid().toString(QUuid::Id128);
    try {
        SqlSession admin(DatabaseUrl::Parse(server));
        admin.Exec(QStringLiteral("CREATE DATABASE %1").arg(m_name));
    } catch (const HistoryError& error) {
        ADD_FAILURE() << "OSTREL_TEST_PG_URL is set but the server cannot be used: " << error.Text().toStdString();
        return;
    }
    m_text = withDatabase(server, m_name);
    m_url = DatabaseUrl::Parse(m_text);
    m_ready = true;
}

FreshDatabase::~FreshDatabase()
{
    if (m_backend != Backend::PostgreSQL || m_name.isEmpty() || !m_ready)
        return;
    try {
        SqlSession admin(DatabaseUrl::Parse(qEnvironmentVariable("OSTREL_TEST_PG_URL")));
        admin.Exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (const HistoryError& error) {
        ADD_FAILURE() << "the test database could not be dropped: " << error.Text().toStdString();
    }
}

RunRecord sampleRun(const QString& serial, const QDateTime& started, const QString& verdict)
{
    RunRecord run;
    run.runId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    run.title = QStringLiteral("Yearly check");
    run.started = started;
    run.ended = verdict.isEmpty() ? QDateTime() : started.addSecs(600);
    run.technician = QStringLiteral("Jo Smith");
    run.softwareVersion = QStringLiteral("2.0.0");
    run.device = {serial, QStringLiteral("Monitor 7"), QStringLiteral("Ward 3")};
    run.instruments = {{QStringLiteral("NB-4410"), QStringLiteral("NB-4410"), QStringLiteral("SN-44"), QStringLiteral("1.08")}};
    run.verdict = verdict;
    return run;
}

ElementRecord sampleElement(int elementId, double drop, const QString& status)
{
    ElementRecord element;
    element.elementId = elementId;
    element.position = elementId;
    element.name = QStringLiteral("Leak test, 150 mmHg");
    element.testType = 300;
    element.status = status;
    element.started = QDateTime(QDate(2026, 1, 2), QTime(10, 0), Qt::UTC);
    element.ended = element.started.addSecs(90);
    element.comment = QStringLiteral("cuff \"B\", reused");
    MeasurementRecord m;
    m.key = QStringLiteral("DROP");
    m.description = QStringLiteral("Pressure Drop");
    m.value = drop;
    m.valueText = QString::number(drop);
    m.preset = QStringLiteral("150");
    m.unit = QStringLiteral("mmHg");
    m.limits = QStringLiteral("IEC: <= 6 mmHg");
    m.limitHigh = 6;
    m.standard = QStringLiteral("IEC");
    m.status = status;
    element.measurements.push_back(m);
    MeasurementRecord rate = m;
    rate.key = QStringLiteral("RATE");
    rate.value.reset();
    rate.valueText = QStringLiteral("---");
    rate.limits.clear();
    rate.limitHigh.reset();
    rate.standard.clear();
    rate.status = QStringLiteral("Not judged");
    element.measurements.push_back(rate);
    return element;
}

int countRows(const DatabaseUrl& url, const QString& sql)
{
    SqlSession session(url);
    QSqlQuery query = session.Exec(sql);
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace ostrel::testing
