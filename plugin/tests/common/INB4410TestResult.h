#pragma once
// What the shared test-element skeleton asks of the result of an instrument test (leak,
// over-pressure, cuff volume, blood pressure): clear it at a start, evaluate it, give it a
// service record and the instrument number when the element is left.
#include "host/contract/Forward.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace nb4410 {

class INB4410TestResult {
public:
    virtual ~INB4410TestResult() = default;
    virtual void Clear() = 0;
    virtual void EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                                const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable) = 0;
    virtual void BuildServiceRecord(const std::shared_ptr<ostrel::IFilter>& filter) = 0;
    virtual void SetMTIID(std::int32_t number) = 0;
    // The run ended before its duration or end condition; failure is the error that ended it
    // (empty when the operator did). The values stay for the record; the result is incomplete
    // until the next run clears it.
    virtual void MarkIncomplete(const QString& failure) = 0;
    // While the run is in progress: the values so far, shown as running, with no verdict.
    virtual void ShowRunning() = 0;
};

} // namespace nb4410
