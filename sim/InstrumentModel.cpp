#include "InstrumentModel.h"

#include "vti/NB4410Protocol.h"

namespace nb4410sim {

namespace wire = nb4410::protocol;

InstrumentModel::InstrumentModel(const SimulatorOptions& options, MonitorScreen& screen)
    : m_options(options), m_store(options.effectiveStateFile()), m_screen(screen)
{
}

Reply InstrumentModel::errm(const QString& command, const InstrumentError& error) const
{
    return Reply{wire::kERRM, {command, QString::number(error.code), error.text}};
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

    if (command == wire::kIREM) {
        m_remote = true;
        return Reply{wire::ReplyName(wire::kIREM), {m_options.serialNo, m_options.firmware, m_options.model}};
    }
    if (command == wire::kEREM) {
        m_remote = false;
        m_run.reset();
        return Reply{wire::ReplyName(wire::kEREM), {}};
    }
    const bool known = wire::Commands().contains(command);
    if (!known)
        return errm(command, {wire::kErrUnknownCommand, QStringLiteral("Unknown command")});
    if (!m_remote)
        return errm(command, {wire::kErrIllegalCommand, QStringLiteral("Not in remote mode")});

    if (command == wire::kSTST)
        return startTest(fields, nowS);
    if (command == wire::kATST) {
        m_run.reset();
        return Reply{wire::ReplyName(wire::kATST), {}};
    }
    if (command == wire::kGRES)
        return testResult(fields, nowS);
    if (command == wire::kGMTD) {
        const OperatorRecord record = m_store.Load();
        return Reply{wire::ReplyName(wire::kGMTD), {record.operatorName, record.establishment, record.serialNo}};
    }
    return putOperator(fields);
}

Reply InstrumentModel::startTest(const QStringList& fields, double nowS)
{
    if (m_run && !m_run->Ended(nowS - m_runStartS))
        return errm(wire::kSTST, {wire::kErrBusy, QStringLiteral("Test %1 is running").arg(m_run->Type())});
    auto created = TestRun::Create(fields, m_options.monitor);
    if (auto* error = std::get_if<InstrumentError>(&created))
        return errm(wire::kSTST, *error);
    m_run = std::move(std::get<std::unique_ptr<TestRun>>(created));
    m_runStartS = nowS;
    m_readingsShown = false;
    if (m_run->MonitorMeasures())
        m_screen.BeginMeasurement();
    return Reply{wire::ReplyName(wire::kSTST), {}};
}

Reply InstrumentModel::testResult(const QStringList& fields, double nowS)
{
    const QString& gres = wire::kGRES;
    if (fields.isEmpty())
        return errm(gres, {wire::kErrMissingParameter, QStringLiteral("Test type missing")});
    if (fields.size() > 1)
        return errm(gres, {wire::kErrTooManyParameters, QStringLiteral("GRES takes the test type only")});
    bool ok = false;
    const int type = fields[0].trimmed().toInt(&ok);
    if (!ok)
        return errm(gres, {wire::kErrInvalidParameter, QStringLiteral("Test type \"%1\" is not a number").arg(fields[0])});
    if (!m_run)
        return errm(gres, {wire::kErrCommandNotAllowed, QStringLiteral("No test started")});
    if (type != m_run->Type())
        return errm(gres, {wire::kErrInvalidParameter, QStringLiteral("Test %1 is not the running test %2").arg(type).arg(m_run->Type())});
    return Reply{wire::ReplyName(wire::kGRES), m_run->Fields(nowS - m_runStartS)};
}

Reply InstrumentModel::putOperator(const QStringList& fields)
{
    const QString& pmtd = wire::kPMTD;
    if (fields.size() < 3)
        return errm(pmtd, {wire::kErrMissingParameter, QStringLiteral("Operator, establishment and serial number expected")});
    if (fields.size() > 3)
        return errm(pmtd, {wire::kErrTooManyParameters, QStringLiteral("Operator, establishment and serial number expected")});
    if (!m_store.Save(OperatorRecord{fields[0], fields[1], fields[2]}))
        return errm(pmtd, {wire::kErrObjectNotFound, QStringLiteral("The operator record could not be stored")});
    return Reply{wire::ReplyName(wire::kPMTD), {}};
}

} // namespace nb4410sim
