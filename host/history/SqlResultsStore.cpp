#include "SqlResultsStore.h"

#include "HistoryCodec.h"
#include "HistorySchema.h"

#include <QMetaType>
#include <csignal>
#include <QSqlQuery>
#include <map>

namespace ostrel::history {

namespace {

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

QVariant numberOrNull(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

std::optional<double> numberFrom(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

// The device's rows, found by its serial number; the three readers share it.
const QString kOfDevice = QStringLiteral(" JOIN runs r ON r.id = e.run_id JOIN devices d ON d.id = r.device_id"
                                         " WHERE d.serial_number = ?");

} // namespace

SqlResultsStore::SqlResultsStore(const DatabaseUrl& url) : m_session(url)
{
    HistorySchema::Migrate(m_session);
}

QVariant SqlResultsStore::TimeValue(const QDateTime& time)
{
    return time.isValid() ? QVariant(time.toUTC().toString(Qt::ISODateWithMs)) : QVariant(QMetaType::fromType<QString>());
}

QDateTime SqlResultsStore::TimeFrom(const QVariant& value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
}

qint64 SqlResultsStore::writeRun(const RunRecord& run)
{
    // A later write keeps what an earlier one knew: an empty model does not wipe a known one.
    QSqlQuery& device = m_session.Exec(
        QStringLiteral("INSERT INTO devices (serial_number, model, location) VALUES (?, ?, ?)"
                       " ON CONFLICT (serial_number) DO UPDATE SET model = COALESCE(excluded.model, devices.model),"
                       " location = COALESCE(excluded.location, devices.location) RETURNING id"),
        {run.device.serialNumber, textOrNull(run.device.model), textOrNull(run.device.location)});
    if (!device.next())
        m_session.Fail(QStringLiteral("device"), device.lastError());
    const qint64 deviceId = device.value(0).toLongLong();
    device.finish();
    QSqlQuery& row = m_session.Exec(
        QStringLiteral("INSERT INTO runs (run_uid, device_id, title, started, ended, technician, software_version,"
                       " instruments, verdict) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"
                       " ON CONFLICT (run_uid) DO UPDATE SET device_id = excluded.device_id, title = excluded.title,"
                       " started = excluded.started, ended = COALESCE(excluded.ended, runs.ended),"
                       " technician = excluded.technician, software_version = excluded.software_version,"
                       " instruments = excluded.instruments, verdict = COALESCE(excluded.verdict, runs.verdict) RETURNING id"),
        {run.runId, deviceId, run.title, TimeValue(run.started), TimeValue(run.ended), run.technician, run.softwareVersion,
         HistoryCodec::InstrumentsText(run.instruments), textOrNull(run.verdict)});
    if (!row.next())
        m_session.Fail(QStringLiteral("run"), row.lastError());
    const qint64 runRow = row.value(0).toLongLong();
    row.finish();
    return runRow;
}

void SqlResultsStore::killedInWrite()
{
    // The tests' stand-in for a power cut at the worst moment: every row of the element written,
    // nothing committed. $OSTREL_TEST_KILL_IN_WRITE=N kills the process in its N-th element write.
    static const int killAt = qEnvironmentVariableIntValue("OSTREL_TEST_KILL_IN_WRITE");
    if (killAt > 0 && ++m_elementWrites == killAt)
        std::raise(SIGKILL);
}

void SqlResultsStore::WriteElement(const RunRecord& run, const ElementRecord& element)
{
    m_session.InTransaction([&] {
        const qint64 runRow = writeRun(run);
        // A repeated write replaces the element's measurements instead of adding to them.
        m_session.Exec(QStringLiteral("DELETE FROM measurements WHERE element_row IN"
                                      " (SELECT id FROM elements WHERE run_id = ? AND element_id = ?)"),
                       {runRow, element.elementId});
        QSqlQuery& row = m_session.Exec(
            QStringLiteral("INSERT INTO elements (run_id, element_id, position, name, test_type, status, started, ended, comment)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (run_id, element_id) DO UPDATE SET"
                           " position = excluded.position, name = excluded.name, test_type = excluded.test_type,"
                           " status = excluded.status, started = excluded.started, ended = excluded.ended,"
                           " comment = excluded.comment RETURNING id"),
            {runRow, element.elementId, element.position, element.name, element.testType, element.status,
             TimeValue(element.started), TimeValue(element.ended), element.comment});
        if (!row.next())
            m_session.Fail(QStringLiteral("element"), row.lastError());
        const qint64 elementRow = row.value(0).toLongLong();
        row.finish();
        QSqlQuery& insert = m_session.Prepared(
            QStringLiteral("INSERT INTO measurements (element_row, seq, key, description, value, value_text, preset, unit,"
                           " limits, limit_low, limit_high, standard, status, flags)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        int seq = 0;
        for (const auto& m : element.measurements)
            m_session.Exec(insert, {elementRow, ++seq, m.key, m.description, numberOrNull(m.value), m.valueText, m.preset, m.unit,
                                    m.limits, numberOrNull(m.limitLow), numberOrNull(m.limitHigh), m.standard, m.status, m.flags});
        killedInWrite();
    });
}

void SqlResultsStore::FinishRun(const RunRecord& run)
{
    m_session.InTransaction([&] { writeRun(run); });
}

std::vector<HistoryRun> SqlResultsStore::DeviceHistory(const QString& serialNumber)
{
    std::vector<HistoryRun> runs;
    std::map<qint64, size_t> runIndex;
    std::map<qint64, std::pair<size_t, size_t>> elementIndex;
    m_session.InTransaction([&] {
        // Each result is read to its end and let go before the next statement: the PostgreSQL
        // driver streams rows, and a result let go late takes the next statement's first rows.
        {
            QSqlQuery& query = m_session.Exec(
                QStringLiteral("SELECT r.id, r.run_uid, r.title, r.started, r.ended, r.technician, r.software_version,"
                               " r.instruments, r.verdict, d.serial_number, d.model, d.location"
                               " FROM runs r JOIN devices d ON d.id = r.device_id WHERE d.serial_number = ?"
                               " ORDER BY r.started, r.id"),
                {serialNumber});
            while (query.next()) {
                HistoryRun run;
                run.run.runId = query.value(1).toString();
                run.run.title = query.value(2).toString();
                run.run.started = TimeFrom(query.value(3));
                run.run.ended = TimeFrom(query.value(4));
                run.run.technician = query.value(5).toString();
                run.run.softwareVersion = query.value(6).toString();
                run.run.instruments = HistoryCodec::InstrumentsFrom(query.value(7).toString());
                run.run.verdict = query.value(8).toString();
                run.run.device = {query.value(9).toString(), query.value(10).toString(), query.value(11).toString()};
                runIndex[query.value(0).toLongLong()] = runs.size();
                runs.push_back(std::move(run));
            }
            query.finish();
        }
        {
            QSqlQuery& query = m_session.Exec(
                QStringLiteral("SELECT e.id, e.run_id, e.element_id, e.position, e.name, e.test_type, e.status, e.started,"
                               " e.ended, e.comment FROM elements e")
                    + kOfDevice + QStringLiteral(" ORDER BY e.run_id, e.position, e.element_id"),
                {serialNumber});
            while (query.next()) {
                const auto run = runIndex.find(query.value(1).toLongLong());
                if (run == runIndex.end())
                    continue;
                ElementRecord element;
                element.elementId = query.value(2).toInt();
                element.position = query.value(3).toInt();
                element.name = query.value(4).toString();
                element.testType = query.value(5).toInt();
                element.status = query.value(6).toString();
                element.started = TimeFrom(query.value(7));
                element.ended = TimeFrom(query.value(8));
                element.comment = query.value(9).toString();
                auto& elements = runs[run->second].elements;
                elementIndex[query.value(0).toLongLong()] = {run->second, elements.size()};
                elements.push_back(std::move(element));
            }
            query.finish();
        }
        {
            QSqlQuery& query = m_session.Exec(
                QStringLiteral("SELECT m.element_row, m.key, m.description, m.value, m.value_text, m.preset, m.unit, m.limits,"
                               " m.limit_low, m.limit_high, m.standard, m.status, m.flags"
                               " FROM measurements m JOIN elements e ON e.id = m.element_row")
                    + kOfDevice + QStringLiteral(" ORDER BY m.element_row, m.seq"),
                {serialNumber});
            while (query.next()) {
                const auto element = elementIndex.find(query.value(0).toLongLong());
                if (element == elementIndex.end())
                    continue;
                MeasurementRecord m;
                m.key = query.value(1).toString();
                m.description = query.value(2).toString();
                m.value = numberFrom(query.value(3));
                m.valueText = query.value(4).toString();
                m.preset = query.value(5).toString();
                m.unit = query.value(6).toString();
                m.limits = query.value(7).toString();
                m.limitLow = numberFrom(query.value(8));
                m.limitHigh = numberFrom(query.value(9));
                m.standard = query.value(10).toString();
                m.status = query.value(11).toString();
                m.flags = query.value(12).toString();
                runs[element->second.first].elements[element->second.second].measurements.push_back(std::move(m));
            }
            query.finish();
        }
    }, true);
    return runs;
}

std::vector<DueDevice> SqlResultsStore::DueDevices(const QDateTime& passedBefore)
{
    const QString lastPassed = QStringLiteral("MAX(CASE WHEN r.verdict = '%1' THEN r.started END)").arg(QLatin1String(kPassed));
    QSqlQuery& query = m_session.Exec(
        QStringLiteral("SELECT d.serial_number, d.model, d.location, %1, MAX(r.started) FROM devices d"
                       " JOIN runs r ON r.device_id = d.id GROUP BY d.id, d.serial_number, d.model, d.location"
                       " HAVING %1 IS NULL OR %1 < ? ORDER BY d.serial_number")
            .arg(lastPassed),
        {TimeValue(passedBefore)});
    std::vector<DueDevice> due;
    while (query.next())
        due.push_back({{query.value(0).toString(), query.value(1).toString(), query.value(2).toString()},
                       TimeFrom(query.value(3)),
                       TimeFrom(query.value(4))});
    query.finish();
    return due;
}

} // namespace ostrel::history
