#include "TestRun.h"

#include "BpSimulationRun.h"
#include "CuffVolumeRun.h"
#include "LeakRun.h"
#include "OverPressureRun.h"
#include "host/core/Variant.h"
#include "vti/NB4410Protocol.h"
#include "host/core/BasicNumber.h"

#include <cmath>

namespace nb4410sim {

namespace wire = nb4410::protocol;

namespace {

struct Range {
    const char* name;
    double min;
    double max;
    bool integer;
};

// The parameter sets: test type, then one range per value.
const std::vector<Range>& rangesOf(int type)
{
    static const std::vector<Range> bp{{"simulation type", 1, 3, true}, {"preset", 0, 255, true}, {"reserved", 0, 0, true},
                                       {"systolic pressure", 0, 300, false}, {"diastolic pressure", 0, 300, false},
                                       {"heart rate", 0, 300, false}, {"pulse pressure", 0, 300, false},
                                       {"arrhythmia", 1, 6, true}};
    static const std::vector<Range> cuff{};
    static const std::vector<Range> leak{{"start pressure", 0, 400, false}, {"tested equipment", 1, 3, true},
                                         {"duration", 0, 3600, true}};
    static const std::vector<Range> over{{"inflate pressure", 0, 500, false}};
    static const std::vector<Range> none;
    switch (type) {
    case wire::kTestBloodPressure: return bp;
    case wire::kTestCuffVolume: return cuff;
    case wire::kTestLeak: return leak;
    case wire::kTestOverPressure: return over;
    default: return none;
    }
}

std::optional<double> parse(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

QString TestRun::text(double value)
{
    return ostrel::numberToText(std::round(value * 10.0) / 10.0);
}

std::variant<std::unique_ptr<TestRun>, InstrumentError> TestRun::Create(const QStringList& params,
                                                                        const MonitorProperties& monitor)
{
    if (params.isEmpty())
        return InstrumentError{wire::kErrMissingParameter, QStringLiteral("Test type missing")};
    const std::optional<double> type = parse(params[0]);
    if (!type || *type != std::floor(*type))
        return InstrumentError{wire::kErrInvalidParameter, QStringLiteral("Test type \"%1\" is not a number").arg(params[0])};
    const int testType = static_cast<int>(*type);
    if (testType != wire::kTestBloodPressure && testType != wire::kTestCuffVolume && testType != wire::kTestLeak && testType != wire::kTestOverPressure)
        return InstrumentError{wire::kErrTestNotAllowed, QStringLiteral("Test type %1 is not available").arg(testType)};

    const std::vector<Range>& ranges = rangesOf(testType);
    const qsizetype expected = static_cast<qsizetype>(ranges.size()) + 1;
    if (params.size() < expected)
        return InstrumentError{wire::kErrMissingParameter, QStringLiteral("Test %1 needs %2 parameters").arg(testType).arg(expected)};
    if (params.size() > expected)
        return InstrumentError{wire::kErrTooManyParameters, QStringLiteral("Test %1 takes %2 parameters").arg(testType).arg(expected)};

    std::vector<double> values;
    for (size_t i = 0; i < ranges.size(); ++i) {
        const Range& range = ranges[i];
        const std::optional<double> value = parse(params[static_cast<qsizetype>(i + 1)]);
        if (!value || *value < range.min || *value > range.max || (range.integer && *value != std::floor(*value)))
            return InstrumentError{wire::kErrInvalidParameter, QStringLiteral("Invalid %1 \"%2\"").arg(QString::fromLatin1(range.name),
                                                                                  params[static_cast<qsizetype>(i + 1)])};
        values.push_back(*value);
    }

    switch (testType) {
    case wire::kTestBloodPressure:
        return std::make_unique<BpSimulationRun>(values[3], values[4], values[5], monitor);
    case wire::kTestCuffVolume:
        return std::make_unique<CuffVolumeRun>(monitor);
    case wire::kTestLeak:
        return std::make_unique<LeakRun>(values[0], static_cast<int>(values[2]), monitor);
    default:
        return std::make_unique<OverPressureRun>(values[0], monitor);
    }
}

double TestRun::DurationS() const
{
    // Ended is false up to the end and true after it: found by doubling, then halving.
    constexpr double kLongestS = 24 * 3600;
    constexpr double kResolutionS = 0.001;
    double ended = 1;
    while (!Ended(ended) && ended < kLongestS)
        ended *= 2;
    double running = 0;
    while (ended - running > kResolutionS) {
        const double middle = (running + ended) / 2;
        (Ended(middle) ? ended : running) = middle;
    }
    return ended;
}

} // namespace nb4410sim
