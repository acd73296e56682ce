#pragma once
// The service history as the application sees it: results written as they arrive, a device's
// runs read back, the devices that are due. Writing the same run and element again replaces
// it; it never adds a second copy. Failures are HistoryErrors.
#include "HistoryRecords.h"

namespace ostrel::history {

class IResultsStore {
public:
    virtual ~IResultsStore() = default;

    // The element with its measurements, and the run's header, all or nothing.
    virtual void WriteElement(const RunRecord& run, const ElementRecord& element) = 0;
    // The run's end time and overall verdict.
    virtual void FinishRun(const RunRecord& run) = 0;

    // The device's runs, oldest first, with their elements and measurements.
    virtual std::vector<HistoryRun> DeviceHistory(const QString& serialNumber) = 0;
    // Devices whose last passed run started before passedBefore (or that never passed).
    virtual std::vector<DueDevice> DueDevices(const QDateTime& passedBefore) = 0;
};

} // namespace ostrel::history
