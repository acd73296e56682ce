#pragma once
// One measured or operator-entered quantity of a test result: a keyed value with its preset,
// unit, description, display format, flag letters and pass/fail status. The host reaches it
// through IMeasurement; the plug-in's results use the further operations below.
#include "host/contract/IMeasurement.h"
#include "host/contract/ResultStatus.h"

#include <QString>
#include <cstdint>

namespace nb4410 {

class CMeasurement : public ostrel::IMeasurement {
public:
    static constexpr char kSource[] = "VessorNB4410.CMeasurement";
    static constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A3FFu);
    static constexpr ostrel::HResult kSaveError = ostrel::hr(0x8004A400u);
    static constexpr char kEmptyKeyText[] = "20553::A measurement cannot be loaded because its Key is empty.";

    // Value types the results use.
    static constexpr std::int32_t kNumeric1 = 1;
    static constexpr std::int32_t kNumeric2 = 2;
    static constexpr std::int32_t kYesNo = 3;

    // Flag letters of a value that is no verdict: the run was cut short, by an error.
    static constexpr char kIncompleteFlag = 'I';
    static constexpr char kErrorFlag = 'E';
    // Flag letter of a reading the operator recorded as missing: the monitor showed none. The
    // measurement has no value and fails.
    static constexpr char kNoReadingFlag = 'N';
    static constexpr char kNoReadingText[] = "20554::No reading";

    // Print option of the report: only failed measurements are printed.
    static constexpr std::int32_t kPrintFailedOnly = 0x10;

    CMeasurement();

    // IMeasurement
    QString Description() override; // translated
    QString Key() override;
    QString LimitKey() override;
    std::int32_t Status() override;
    QString Unit() override;
    ostrel::Variant Value() override;
    ostrel::Variant PresetValue() override;
    std::int32_t ValueType() override;
    QString ValueFormat() override;
    QString Flags() override;
    QString ToolTipText() override;
    // The one yes/no measurement is whether the monitor released the pressure.
    QString ReadableValue() override;
    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override;
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& parent) override;

    // Operations of the plug-in's own classes; they never fail.
    void Define(const QString& key, const QString& unit, const QString& description, std::int32_t valueType);
    void SetValue(const ostrel::Variant& value);
    void SetPresetValue(const ostrel::Variant& value);
    void SetValueFormat(const QString& format);
    QString UntranslatedDescription() const { return m_description; }
    // Value and preset become Empty, flags empty, status 0; key, unit, description, value type
    // and format stay.
    void ClearResult();
    // An empty flag clears all letters; otherwise the letter is added once (case-insensitive).
    void AddFlag(const QString& flag);
    bool HasFlag(QChar letter) const;   // case-insensitive
    void RemoveFlag(QChar letter);      // case-insensitive
    // Evaluates the value against the selected standards of the limit data (ResultStatus.h):
    // failed when flagged "N" (no reading), not evaluated without a value, incomplete when flagged "I" or "E", not judged when no
    // selected standard of the limit data sets a limit for the key, failed when one fails it,
    // else passed. Returns the new status.
    std::int32_t UpdateStatus(const std::shared_ptr<ostrel::ILimitData>& limitData,
                              const std::shared_ptr<ostrel::IStandards>& selectedStandards);
    // A run cut short: a value there is gets the "I" flag (and "E" after a failure) and is
    // incomplete; no value stays not evaluated.
    void MarkIncomplete(bool failure);
    // The operator's "no reading": no value, the "N" flag (and no "I"); false undoes it.
    void SetNoReading(bool noReading);
    bool NoReading() const { return HasFlag(QLatin1Char(kNoReadingFlag)); }
    // A value of a run in progress: shown as running (not evaluated without a value).
    void ShowRunning() { m_status = m_value.isEmptyOrNull() ? ostrel::status::kNotEvaluated : ostrel::status::kRunning; }
    // A yes/no value as text: "True" only for a value that reads as true.
    static QString YesNoText(const ostrel::Variant& value);
    // The value as text for its value type; status receives Status.
    QString GetValueText(std::int32_t& status);
    // One row of the report's measurement table ("|      desc|preset|value|unit;"), empty when
    // the report prints failed measurements only and this one did not fail.
    QString ReportLine(const ostrel::ReportPtr& report);

private:
    void ResetAll();
    QString formatted(const ostrel::Variant& value) const;

    QString m_key;
    QString m_description;
    ostrel::Variant m_value = ostrel::Variant::null();
    ostrel::Variant m_presetValue;
    std::int32_t m_valueType = 0;
    QString m_unit;
    QString m_flags;
    std::int32_t m_status = 0;
    QString m_valueFormat;
};

using MeasurementPtr = std::shared_ptr<CMeasurement>;

} // namespace nb4410
