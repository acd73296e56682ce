#pragma once
// What the service history keeps of a run, as plain rows: the device, the run's header, each
// element's result and its measurements. Statuses are texts, so a new status needs no change
// of the stored form.
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace ostrel::history {

struct DeviceRecord {
    QString serialNumber;
    QString model;
    QString location;
};

struct InstrumentRecord {
    QString name;
    QString model;
    QString serialNumber;
    QString firmware;
};

struct RunRecord {
    QString runId; // unique over every bench
    QString title;
    QDateTime started;
    QDateTime ended; // invalid while the run goes on
    QString technician;
    QString softwareVersion;
    DeviceRecord device;
    std::vector<InstrumentRecord> instruments;
    QString verdict; // empty while the run goes on
};

struct MeasurementRecord {
    QString key;
    QString description;
    std::optional<double> value;
    QString valueText;
    QString preset;
    QString unit;
    QString limits;   // as shown: "IEC: 1 .. 5 mmHg"
    std::optional<double> limitLow;
    std::optional<double> limitHigh;
    QString standard; // the standard the numeric limits came from
    QString status;
    QString flags;
};

struct ElementRecord {
    int elementId = 0; // unique in its run
    int position = 0;  // 1-based place in the sequence
    QString name;
    int testType = 0;
    QString status;
    QDateTime started;
    QDateTime ended;
    QString comment;
    std::vector<MeasurementRecord> measurements;
};

// One run as the history gives it back.
struct HistoryRun {
    RunRecord run;
    std::vector<ElementRecord> elements;
};

// A device whose last passed run is older than asked (or that never passed).
struct DueDevice {
    DeviceRecord device;
    QDateTime lastPassed; // invalid: never passed
    QDateTime lastRun;
};

} // namespace ostrel::history
