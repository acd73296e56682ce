#include "SimulatorOptions.h"

#include <QStandardPaths>
#include <stdexcept>

namespace nb4410sim {

namespace {

double number(const QString& name, const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        throw std::invalid_argument(QStringLiteral("%1: \"%2\" is not a number").arg(name, text).toStdString());
    return value;
}

int count(const QString& name, const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0)
        throw std::invalid_argument(QStringLiteral("%1: \"%2\" is not a count").arg(name, text).toStdString());
    return value;
}

QString valueOf(const QHash<QString, QString>& values, const QString& name)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return QString();
}

} // namespace

SimulatorOptions SimulatorOptions::fromMap(const QHash<QString, QString>& values)
{
    SimulatorOptions options;
    const auto with = [&](const char* name, auto apply) {
        const QString key = QString::fromLatin1(name);
        const QString text = valueOf(values, key);
        if (!text.isEmpty())
            apply(key, text);
    };
    with("TimeScale", [&](const QString& k, const QString& t) {
        options.timeScale = number(k, t);
        if (options.timeScale <= 0)
            throw std::invalid_argument("TimeScale: must be above 0");
    });
    with("Pacing", [&](const QString&, const QString& t) {
        options.pacing = !(t == QLatin1String("0") || t.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0 ||
                           t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0);
    });
    with("StateFile", [&](const QString&, const QString& t) { options.stateFile = t; });
    with("SerialNo", [&](const QString&, const QString& t) { options.serialNo = t; });
    with("LeakRate", [&](const QString& k, const QString& t) { options.monitor.leakRateMmHgPerMin = number(k, t); });
    with("ReleasePressure", [&](const QString& k, const QString& t) { options.monitor.releasePressureMmHg = number(k, t); });
    with("CuffVolume", [&](const QString& k, const QString& t) { options.monitor.cuffVolumeCcm = number(k, t); });
    with("OffsetSys", [&](const QString& k, const QString& t) { options.monitor.offsetSysMmHg = number(k, t); });
    with("OffsetDia", [&](const QString& k, const QString& t) { options.monitor.offsetDiaMmHg = number(k, t); });
    with("OffsetMap", [&](const QString& k, const QString& t) { options.monitor.offsetMapMmHg = number(k, t); });
    with("OffsetHeartRate", [&](const QString& k, const QString& t) { options.monitor.offsetHeartRate = number(k, t); });
    with("DropReply", [&](const QString& k, const QString& t) { options.faults.dropReply = count(k, t); });
    with("CorruptReply", [&](const QString& k, const QString& t) { options.faults.corruptReply = count(k, t); });
    with("DelayReply", [&](const QString& k, const QString& t) { options.faults.delayReply = count(k, t); });
    with("WrongName", [&](const QString& k, const QString& t) { options.faults.wrongName = count(k, t); });
    with("DelayMs", [&](const QString& k, const QString& t) { options.delayedReplyMs = count(k, t); });
    with("DuplicateReply", [&](const QString& k, const QString& t) { options.faults.duplicateReply = count(k, t); });
    with("RandomFaults", [&](const QString& k, const QString& t) { options.faults.randomFaultEvery = count(k, t); });
    with("Seed", [&](const QString& k, const QString& t) { options.faults.seed = static_cast<unsigned>(count(k, t)); });
    with("CommandFault", [&](const QString&, const QString& t) {
        static const QStringList kinds{QStringLiteral("corrupt"), QStringLiteral("drop"), QStringLiteral("delay"),
                                       QStringLiteral("duplicate"), QStringLiteral("wrongname")};
        const QStringList parts = t.split(QLatin1Char(':'));
        if (parts.size() != 2 || parts[0].size() != 4 || !kinds.contains(parts[1].toLower()))
            throw std::invalid_argument("CommandFault: expected COMMAND:corrupt|drop|delay|duplicate|wrongname");
        options.faults.faultCommand = parts[0].toUpper();
        options.faults.commandFault = parts[1].toLower();
    });
    with("HangUpAfter", [&](const QString& k, const QString& t) { options.faults.hangUpAfter = count(k, t); });
    with("HangUpInTest", [&](const QString& k, const QString& t) { options.faults.hangUpInTestS = count(k, t); });
    with("ErrmCommand", [&](const QString& k, const QString& t) {
        const QStringList parts = t.split(QLatin1Char(':'));
        if (parts.size() != 2 || parts[0].size() != 4)
            throw std::invalid_argument("ErrmCommand: expected COMMAND:CODE, for example STST:6002");
        options.faults.errmCommand = parts[0].toUpper();
        options.faults.errmCode = count(k, parts[1]);
    });
    return options;
}

QString SimulatorOptions::effectiveStateFile() const
{
    if (!stateFile.isEmpty())
        return stateFile;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ostrel/nb4410-sim.ini");
}

} // namespace nb4410sim
