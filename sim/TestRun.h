#pragma once
// One test the simulated instrument runs, started by "STST" and read by "GRES". The physics is
// a function of the simulated seconds since the start, so a reply needs no ticking clock.
#include "SimulatorOptions.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <variant>

namespace nb4410sim {

// An "ERRM" answer: the instrument's error code and a further text.
struct InstrumentError {
    int code = 0;
    QString text;
};

// What the monitor under test shows at the end of its measurement.
struct DisplayedReadings {
    double systolicMmHg = 0;
    double diastolicMmHg = 0;
    double mapMmHg = 0;
    double heartRateBpm = 0;
};

class TestRun {
public:
    virtual ~TestRun() = default;
    virtual int Type() const = 0;
    // The "GRES" fields after elapsedS simulated seconds; field 0 is the test type.
    virtual QStringList Fields(double elapsedS) const = 0;
    virtual bool Ended(double elapsedS) const = 0;
    // The simulated seconds the run lasts when nobody stops it (to a millisecond); the sum of
    // these is the least time a sequence of tests can take on the line.
    double DurationS() const;
    // Whether the run makes the monitor under test measure (its display clears at the start).
    virtual bool MonitorMeasures() const { return false; }
    // The monitor's readings after elapsedS; none until its measurement has ended.
    virtual std::optional<DisplayedReadings> Display(double /*elapsedS*/) const { return std::nullopt; }

    // Checks the "STST" parameter set and makes the run: 1001 missing fields, 1002 too many,
    // 1003 a value that is no number or out of range, 6002 a test type the instrument lacks.
    static std::variant<std::unique_ptr<TestRun>, InstrumentError> Create(const QStringList& params,
                                                                          const MonitorProperties& monitor);

protected:
    static QString text(double value); // one decimal at most, locale-independent
};

} // namespace nb4410sim
