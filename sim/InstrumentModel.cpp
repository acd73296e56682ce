#include "InstrumentModel.h"

namespace nb4410sim {

InstrumentModel::InstrumentModel(const SimulatorOptions& options, MonitorScreen& screen)
    : m_options(options), m_store(options.effectiveStateFile()), m_screen(screen)
{
}

Reply InstrumentModel::errm(const QString& command, const InstrumentError& error) const
{
    return Reply{QStringLiteral("ERRM"), {command, QString::number(error.code), error.text}};
}

Reply InstrumentModel::Handle(const QString& command, const QStringList& fields, double nowS)
{
    // The monitor finishes its measurement whether or not anybody asks: the display is
    // brought up to date before the command changes the run.
    updateScreen(nowS);
    Reply reply = dispatch(command, fields, nowS);
    updateScreen(nowS);
    return reply;
}

void InstrumentModel::updateScreen(double nowS)
{
    if (!m_run || m_readingsShown)
        return;
    if (const std::optional<DisplayedReadings> readings = m_run->Display(nowS - m_runStartS)) {
        m_screen.Show(*readings);
        m_readingsShown = true;
    }
}

Reply InstrumentModel::dispatch(const QString& command, const QStringList& fields, double nowS)
{
    if (!m_options.faults.errmCommand.isEmpty() && command == m_options.faults.errmCommand)
        return errm(command, {m_options.faults.errmCode, QStringLiteral("Simulated error")});

    if (command == QLatin1String("IREM")) {
        m_remote = true;
        return Reply{QStringLiteral("irem"), {m_options.serialNo, m_options.firmware, m_options.model}};
    }
    if (command == QLatin1String("EREM")) {
        m_remote = false;
        m_run.reset();
        return Reply{QStringLiteral("erem"), {}};
    }
    const bool known = command == QLatin1String("STST") || command == QLatin1String("ATST") ||
                       command == QLatin1String("GRES") || command == QLatin1String("GMTD") ||
                       command == QLatin1String("PMTD");
    if (!known)
        return errm(command, {6000, QStringLiteral("Unknown command")});
    if (!m_remote)
        return errm(command, {6003, QStringLiteral("Not in remote mode")});

    if (command == QLatin1String("STST"))
        return startTest(fields, nowS);
    if (command == QLatin1String("ATST")) {
        m_run.reset();
        return Reply{QStringLiteral("atst"), {}};
    }
    if (command == QLatin1String("GRES"))
        return testResult(fields, nowS);
    if (command == QLatin1String("GMTD")) {
        const OperatorRecord record = m_store.Load();
        return Reply{QStringLiteral("gmtd"), {record.operatorName, record.establishment, record.serialNo}};
    }
    return putOperator(fields);
}

Reply InstrumentModel::startTest(const QStringList& fields, double nowS)
{
    if (m_run && !m_run->Ended(nowS - m_runStartS))
        return errm(QStringLiteral("STST"), {6001, QStringLiteral("Test %1 is running").arg(m_run->Type())});
    auto created = TestRun::Create(fields, m_options.monitor);
    if (auto* error = std::get_if<InstrumentError>(&created))
        return errm(QStringLiteral("STST"), *error);
    m_run = std::move(std::get<std::unique_ptr<TestRun>>(created));
    m_runStartS = nowS;
    m_readingsShown = false;
    if (m_run->MonitorMeasures())
        m_screen.BeginMeasurement();
    return Reply{QStringLiteral("stst"), {}};
}

Reply InstrumentModel::testResult(const QStringList& fields, double nowS)
{
    const QString gres = QStringLiteral("GRES");
    if (fields.isEmpty())
        return errm(gres, {1001, QStringLiteral("Test type missing")});
    if (fields.size() > 1)
        return errm(gres, {1002, QStringLiteral("GRES takes the test type only")});
    bool ok = false;
    const int type = fields[0].trimmed().toInt(&ok);
    if (!ok)
        return errm(gres, {1003, QStringLiteral("Test type \"%1\" is not a number").arg(fields[0])});
    if (!m_run)
        return errm(gres, {6004, QStringLiteral("No test started")});
    if (type != m_run->Type())
        return errm(gres, {1003, QStringLiteral("Test %1 is not the running test %2").arg(type).arg(m_run->Type())});
    return Reply{QStringLiteral("gres"), m_run->Fields(nowS - m_runStartS)};
}

Reply InstrumentModel::putOperator(const QStringList& fields)
{
    const QString pmtd = QStringLiteral("PMTD");
    if (fields.size() < 3)
        return errm(pmtd, {1001, QStringLiteral("Operator, establishment and serial number expected")});
    if (fields.size() > 3)
        return errm(pmtd, {1002, QStringLiteral("Operator, establishment and serial number expected")});
    if (!m_store.Save(OperatorRecord{fields[0], fields[1], fields[2]}))
        return errm(pmtd, {7001, QStringLiteral("The operator record could not be stored")});
    return Reply{QStringLiteral("pmtd"), {}};
}

} // namespace nb4410sim
