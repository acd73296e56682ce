#pragma once
// The NB-4410's wire protocol in one place: line settings, reply window, command and reply
// names, the field positions of every reply and the instrument's test numbers and error
// codes. Header-only, so the plug-in, the driver, the simulator and the nb4410 tool all say
// the same thing without the plug-in linking the driver. docs/protocol.md describes it.
#include <QString>
#include <QStringList>

namespace nb4410::protocol {

// "baud,parity,data bits,stop bits" as LinkSettings::parse reads it; every byte time (driver
// windows, simulator pacing) is derived from this text.
inline constexpr char kLineSettings[] = "38400,O,8,1";
// How long the instrument may take to answer a command; a floor, never shortened in use.
inline constexpr int kReplyWindowMs = 1500;
// How often an idempotent command is sent before its reply counts as lost.
inline constexpr int kTries = 3;

// Commands. A reply carries the command's four letters in lower case, or kERRM.
inline const QString kIREM = QStringLiteral("IREM"); // enter remote mode
inline const QString kEREM = QStringLiteral("EREM"); // leave remote mode, ends a running test
inline const QString kSTST = QStringLiteral("STST"); // start a test
inline const QString kATST = QStringLiteral("ATST"); // stop the test
inline const QString kGRES = QStringLiteral("GRES"); // the running test's result
inline const QString kGMTD = QStringLiteral("GMTD"); // read the operator record
inline const QString kPMTD = QStringLiteral("PMTD"); // write the operator record
inline const QString kERRM = QStringLiteral("ERRM");

inline QStringList Commands()
{
    return {kIREM, kEREM, kSTST, kATST, kGRES, kGMTD, kPMTD};
}
inline QString ReplyName(const QString& command)
{
    return command.toLower();
}
// A name the instrument answers some command with (letter case counts).
inline bool IsReplyName(const QString& name)
{
    return name == kERRM || (name == name.toLower() && Commands().contains(name.toUpper()));
}

// Test numbers: the first field of "STST" and the one field of "GRES".
inline constexpr int kTestBloodPressure = 100;
inline constexpr int kTestCuffVolume = 200;
inline constexpr int kTestLeak = 300;
inline constexpr int kTestOverPressure = 400;

// "irem" reply fields.
namespace irem {
inline constexpr int kSerialNo = 0;
inline constexpr int kFirmware = 1;
inline constexpr int kModel = 2;
} // namespace irem

// "gmtd" reply fields and "PMTD" parameters.
namespace gmtd {
inline constexpr int kOperator = 0;
inline constexpr int kEstablishment = 1;
inline constexpr int kSerialNo = 2;
inline constexpr int kFieldCount = 3;
} // namespace gmtd

// "ERRM" reply fields.
namespace errm {
inline constexpr int kCommand = 0;
inline constexpr int kCode = 1;
inline constexpr int kText = 2;
} // namespace errm

// "gres" reply fields common to every test.
namespace gres {
inline constexpr int kType = 0;
inline constexpr int kEnd = 1; // "1" once the test has ended
} // namespace gres

// "gres" of the leak test (300). STST: 300, start pressure, tested equipment, duration.
namespace leak {
inline constexpr int kPressure = 2;
inline constexpr int kDrop = 4;    // mmHg since the start pressure was reached
inline constexpr int kSeconds = 5; // since the start pressure was reached
inline constexpr int kFieldCount = 6;
} // namespace leak

// "gres" of the over-pressure test (400). STST: 400, inflate pressure.
namespace overpressure {
inline constexpr int kPressure = 2;
inline constexpr int kPeak = 3;
inline constexpr int kReleased = 4; // "1" when the monitor released the pressure
inline constexpr int kFieldCount = 5;
} // namespace overpressure

// "gres" of the cuff-volume test (200). STST: 200.
namespace cuffvolume {
inline constexpr int kVolume = 2; // ccm, "0" until the end
inline constexpr int kFieldCount = 3;
} // namespace cuffvolume

// "gres" of the blood-pressure simulation (100). STST: 100, simulation type, preset, 0,
// systolic, diastolic, heart rate, pulse pressure, arrhythmia.
namespace bp {
inline constexpr int kPressure = 2;
inline constexpr int kSeconds = 4;
inline constexpr int kSystolic = 5; // the monitor's readings, "0" until the end
inline constexpr int kDiastolic = 6;
inline constexpr int kMean = 7;
inline constexpr int kHeartRate = 8;
inline constexpr int kFieldCount = 9;
} // namespace bp

// The instrument's error codes (ERRM field kCode).
inline constexpr int kErrMissingParameter = 1001;
inline constexpr int kErrTooManyParameters = 1002;
inline constexpr int kErrInvalidParameter = 1003;
inline constexpr int kErrUnknownFormat = 1101;
inline constexpr int kErrOutOfMemory = 5001;
inline constexpr int kErrUnknownCommand = 6000;
inline constexpr int kErrBusy = 6001;
inline constexpr int kErrTestNotAllowed = 6002;
inline constexpr int kErrIllegalCommand = 6003;
inline constexpr int kErrCommandNotAllowed = 6004;
inline constexpr int kErrObjectNotFound = 7001;

} // namespace nb4410::protocol
