#pragma once
// Everything that shapes the simulator: time, pacing, the simulated monitor and the faults
// it injects. Read from option names as the data link passes them (the port's registry
// values, such as "TimeScale") and as nb4410-sim sets them from its command line.
#include <QHash>
#include <QString>
#include <optional>

namespace nb4410sim {

struct MonitorProperties {
    double leakRateMmHgPerMin = 2.0;  // pressure lost by cuff and monitor
    double releasePressureMmHg = 300; // where the monitor's over-pressure valve opens
    double cuffVolumeCcm = 140;
    double offsetSysMmHg = 0; // what the monitor reads beyond the simulated pressures
    double offsetDiaMmHg = 0;
    double offsetMapMmHg = 0;
    double offsetHeartRate = 0;
};

struct Faults {
    int dropReply = 0;    // the Nth reply (counted from 1) is not sent
    int corruptReply = 0; // the Nth reply goes out with a wrong checksum
    int delayReply = 0;   // the Nth reply comes later than the driver waits
    int wrongName = 0;    // the Nth reply carries its name in upper case
    QString errmCommand;  // this command is always answered with ERRM errmCode
    int errmCode = 0;
    int hangUpAfter = 0; // the line goes dead after N exchanges
    // The line goes dead this many simulated seconds into a running test, however fast the
    // driver polls.
    int hangUpInTestS = 0;
    int duplicateReply = 0; // the Nth reply goes out twice
    // The first reply to this command suffers commandFault: "corrupt", "drop", "delay",
    // "duplicate" or "wrongname" (option "CommandFault", "GRES:drop").
    QString faultCommand;
    QString commandFault;
    // A random fault (broken, lost, late or doubled reply) about every N replies, drawn from
    // seed so that a run can be repeated; 0: none.
    int randomFaultEvery = 0;
    unsigned seed = 1;
};

struct SimulatorOptions {
    static constexpr int kDelayedReplyMs = 1700; // beyond the driver's reply window

    double timeScale = 1.0; // simulated seconds per real second
    bool pacing = true;     // requests and replies take their time on the line (nb4410::protocol::kLineSettings)
    int delayedReplyMs = kDelayedReplyMs; // how late the late reply is
    QString stateFile;      // the operator record; empty: the user's data folder
    QString serialNo = QStringLiteral("44100815");
    QString firmware = QStringLiteral("2.14");
    QString model = QStringLiteral("NB-4410 NIBP Analyzer");
    MonitorProperties monitor;
    Faults faults;

    // Option names: TimeScale, Pacing, StateFile, SerialNo, LeakRate, ReleasePressure,
    // CuffVolume, OffsetSys, OffsetDia, OffsetMap, OffsetHeartRate, DropReply, CorruptReply,
    // DelayReply, DelayMs, WrongName, DuplicateReply, CommandFault ("GRES:drop"), RandomFaults, Seed,
    // ErrmCommand ("STST:6002"),
    // HangUpAfter. Unknown names are ignored
    // (the port's other values arrive here too); bad values fail with a std::invalid_argument.
    static SimulatorOptions fromMap(const QHash<QString, QString>& values);
    QString effectiveStateFile() const;
};

} // namespace nb4410sim
