// The service history's two numbers that matter, over a store of many runs (100,000 by
// default: 10,000 devices tested ten times each), for SQLite and, given --pg URL, PostgreSQL:
//   - elements written per second (one run's element with two measurements, in its own
//     transaction, as a bench writes them),
//   - the latency of reading one device's history back (what "ostrel history SERIAL" does
//     after starting up).
// Each is set beside a floor measured in the same run: the same rows inserted and queried
// with plain prepared SQL through the same Qt driver.
//   bench_history [--runs 100000] [--writes 2000] [--reads 300] [--pg postgresql://...]
#include "host/history/HistoryError.h"
#include "host/history/SqlResultsStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <cstdio>

using namespace ostrel::history;

namespace {

struct Options {
    int runs = 100000;
    int writes = 2000;
    int reads = 300;
    QString pg;
};

constexpr int kRunsPerDevice = 10;

ElementRecord element()
{
    ElementRecord e;
    e.elementId = 1;
    e.position = 1;
    e.name = QStringLiteral("Leak test, 150 mmHg");
    e.testType = 300;
    e.status = QStringLiteral("Passed");
    e.started = QDateTime::currentDateTimeUtc();
    e.ended = e.started;
    for (const char* key : {"DROP", "RATE"}) {
        MeasurementRecord m;
        m.key = QString::fromLatin1(key);
        m.description = QStringLiteral("Pressure Drop");
        m.value = 2.5;
        m.valueText = QStringLiteral("2.5");
        m.preset = QStringLiteral("150");
        m.unit = QStringLiteral("mmHg");
        m.limits = QStringLiteral("IEC: <= 6 mmHg");
        m.limitHigh = 6;
        m.standard = QStringLiteral("IEC");
        m.status = QStringLiteral("Passed");
        e.measurements.push_back(m);
    }
    return e;
}

// The store's rows made by the database itself, so filling 100,000 runs takes seconds.
void prefill(SqlSession& session, int runs)
{
    const int devices = std::max(1, runs / kRunsPerDevice);
    const QString series = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ");
    session.InTransaction([&] {
        session.Exec(QStringLiteral("INSERT INTO devices (serial_number, model, location) ") + series.arg(devices)
                     + QStringLiteral("SELECT 'DEV-' || i, 'Monitor 7', 'Ward 3' FROM n"));
        session.Exec(QStringLiteral("INSERT INTO runs (run_uid, device_id, title, started, ended, technician, software_version,"
                                    " instruments, verdict) ")
                     + series.arg(runs)
                     + QStringLiteral("SELECT 'run-' || i, ((i - 1) % %1) + 1, 'Yearly check', '2020-01-01T08:00:00.000Z',"
                                      " '2020-01-01T08:10:00.000Z', 'Jo Smith', '2.0.0', '[]', 'PASSED' FROM n")
                           .arg(devices));
        session.Exec(QStringLiteral("INSERT INTO elements (run_id, element_id, position, name, test_type, status, started, ended,"
                                    " comment) ")
                     + series.arg(runs)
                     + QStringLiteral("SELECT i, 1, 1, 'Leak test, 150 mmHg', 300, 'Passed', '2020-01-01T08:00:00.000Z',"
                                      " '2020-01-01T08:01:00.000Z', '' FROM n"));
        for (const char* key : {"DROP", "RATE"})
            session.Exec(QStringLiteral("INSERT INTO measurements (element_row, seq, key, description, value, value_text, preset,"
                                        " unit, limits, limit_high, standard, status, flags) ")
                         + series.arg(runs)
                         + QStringLiteral("SELECT i, %1, '%2', 'Pressure Drop', 2.5, '2.5', '150', 'mmHg', 'IEC: <= 6 mmHg', 6,"
                                          " 'IEC', 'Passed', '' FROM n")
                               .arg(key[0] == 'D' ? 1 : 2)
                               .arg(QLatin1String(key)));
    });
    session.Exec(QStringLiteral("ANALYZE"));
}

// The floor: the same rows written with plain prepared statements.
class PlainSql {
public:
    explicit PlainSql(SqlSession& session)
        : m_session(session),
          m_device(session.Prepare(QStringLiteral("SELECT id FROM devices WHERE serial_number = ?"))),
          m_run(session.Prepare(QStringLiteral("INSERT INTO runs (run_uid, device_id, title, started, ended, technician,"
                                               " software_version, instruments, verdict) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"
                                               " RETURNING id"))),
          m_element(session.Prepare(QStringLiteral("INSERT INTO elements (run_id, element_id, position, name, test_type, status,"
                                                   " started, ended, comment) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"))),
          m_measurement(session.Prepare(QStringLiteral("INSERT INTO measurements (element_row, seq, key, description, value,"
                                                       " value_text, preset, unit, limits, limit_low, limit_high, standard,"
                                                       " status, flags) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))),
          m_history(session.Prepare(QStringLiteral(
              "SELECT r.run_uid, r.title, r.started, r.ended, r.technician, r.software_version, r.instruments, r.verdict,"
              " e.element_id, e.position, e.name, e.test_type, e.status, e.started, e.ended, e.comment, m.key, m.description,"
              " m.value, m.value_text, m.preset, m.unit, m.limits, m.limit_low, m.limit_high, m.standard, m.status, m.flags"
              " FROM devices d JOIN runs r ON r.device_id = d.id JOIN elements e ON e.run_id = r.id"
              " JOIN measurements m ON m.element_row = e.id WHERE d.serial_number = ? ORDER BY r.started, r.id, e.position, m.seq")))
    {
    }

    void Write(const RunRecord& run, const ElementRecord& e)
    {
        m_session.InTransaction([&] {
            m_session.Exec(m_device, {run.device.serialNumber});
            m_device.next();
            const qint64 device = m_device.value(0).toLongLong();
            m_device.finish();
            m_session.Exec(m_run, {run.runId, device, run.title, SqlResultsStore::TimeValue(run.started), QVariant(), run.technician,
                                   run.softwareVersion, QStringLiteral("[]"), QVariant()});
            m_run.next();
            const qint64 runRow = m_run.value(0).toLongLong();
            m_run.finish();
            m_session.Exec(m_element, {runRow, e.elementId, e.position, e.name, e.testType, e.status,
                                       SqlResultsStore::TimeValue(e.started), SqlResultsStore::TimeValue(e.ended), e.comment});
            m_element.next();
            const qint64 elementRow = m_element.value(0).toLongLong();
            m_element.finish();
            int seq = 0;
            for (const auto& m : e.measurements)
                m_session.Exec(m_measurement, {elementRow, ++seq, m.key, m.description, *m.value, m.valueText, m.preset, m.unit,
                                               m.limits, QVariant(), *m.limitHigh, m.standard, m.status, m.flags});
        });
    }

    int Read(const QString& serial)
    {
        int rows = 0;
        m_session.Exec(m_history, {serial});
        while (m_history.next()) {
            for (int column = 0; column < 28; ++column)
                (void)m_history.value(column);
            ++rows;
        }
        m_history.finish();
        return rows;
    }

private:
    SqlSession& m_session;
    QSqlQuery m_device;
    QSqlQuery m_run;
    QSqlQuery m_element;
    QSqlQuery m_measurement;
    QSqlQuery m_history;
};

RunRecord newRun(int devices)
{
    RunRecord run;
    run.runId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    run.title = QStringLiteral("Yearly check");
    run.started = QDateTime::currentDateTimeUtc();
    run.technician = QStringLiteral("Jo Smith");
    run.softwareVersion = QStringLiteral("2.0.0");
    run.device.serialNumber = QStringLiteral("DEV-%1").arg(QRandomGenerator::global()->bounded(devices) + 1);
    return run;
}

QString serial(int devices)
{
    return QStringLiteral("DEV-%1").arg(QRandomGenerator::global()->bounded(devices) + 1);
}

void bench(const QString& name, const DatabaseUrl& url, const Options& options, QTextStream& out)
{
    const int devices = std::max(1, options.runs / kRunsPerDevice);
    SqlResultsStore store(url);
    QElapsedTimer clock;
    clock.start();
    prefill(store.Session(), options.runs);
    out << name << ": " << options.runs << " runs stored in " << clock.elapsed() / 1000.0 << " s\n";
    out.flush();

    SqlSession plainSession(url);
    PlainSql plain(plainSession);
    const ElementRecord e = element();
    // Alternating halves, so a drift of the machine falls on both sides alike.
    qint64 storeNs = 0;
    qint64 floorNs = 0;
    for (int half = 0; half < 2; ++half) {
        clock.restart();
        for (int i = 0; i < options.writes / 2; ++i)
            plain.Write(newRun(devices), e);
        floorNs += clock.nsecsElapsed();
        clock.restart();
        for (int i = 0; i < options.writes / 2; ++i)
            store.WriteElement(newRun(devices), e);
        storeNs += clock.nsecsElapsed();
    }
    const double storeRate = options.writes / (storeNs / 1e9);
    const double floorRate = options.writes / (floorNs / 1e9);
    out << QStringLiteral("%1: elements written per second: store %2, plain SQL %3, ratio %4\n")
               .arg(name)
               .arg(storeRate, 0, 'f', 0)
               .arg(floorRate, 0, 'f', 0)
               .arg(floorRate / storeRate, 0, 'f', 2);

    qint64 storeReadNs = 0;
    qint64 floorReadNs = 0;
    std::size_t seen = 0;
    for (int i = 0; i < options.reads; ++i) {
        const QString device = serial(devices);
        clock.restart();
        seen += static_cast<std::size_t>(plain.Read(device));
        floorReadNs += clock.nsecsElapsed();
        clock.restart();
        seen += store.DeviceHistory(device).size();
        storeReadNs += clock.nsecsElapsed();
    }
    const double storeMs = storeReadNs / 1e6 / options.reads;
    const double floorMs = floorReadNs / 1e6 / options.reads;
    out << QStringLiteral("%1: history of one device (%2 runs stored): store %3 ms, plain SQL %4 ms, ratio %5 (%6 rows)\n")
               .arg(name)
               .arg(options.runs + options.writes)
               .arg(storeMs, 0, 'f', 3)
               .arg(floorMs, 0, 'f', 3)
               .arg(storeMs / floorMs, 0, 'f', 2)
               .arg(seen);
    out.flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--runs"))
            options.runs = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--writes"))
            options.writes = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--reads"))
            options.reads = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--pg"))
            options.pg = args[i + 1];
    }
    QTextStream out(stdout);
    try {
        QTemporaryDir dir;
        bench(QStringLiteral("SQLite"), DatabaseUrl::SQLiteFile(dir.filePath(QStringLiteral("history.sqlite"))), options, out);
        if (!options.pg.isEmpty()) {
            // A database of the benchmark's own on that server, dropped at the end.
            const QString name = QStringLiteral("ostrel_bench_%1").arg(QCoreApplication::applicationPid());
            SqlSession admin(DatabaseUrl::Parse(options.pg));
            admin.Exec(QStringLiteral("CREATE DATABASE %1").arg(name));
            QString url = options.pg;
            const int query = url.indexOf(QLatin1Char('?'));
            const QString tail = query >= 0 ? url.mid(query) : QString();
            url = url.left(query >= 0 ? query : url.size());
            url = url.left(url.lastIndexOf(QLatin1Char('/')) + 1) + name + tail;
            bench(QStringLiteral("PostgreSQL"), DatabaseUrl::Parse(url), options, out);
            admin.Exec(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(name));
        }
    } catch (const HistoryError& error) {
        std::fprintf(stderr, "bench_history: %s\n", qPrintable(error.Text()));
        return 1;
    }
    return 0;
}
