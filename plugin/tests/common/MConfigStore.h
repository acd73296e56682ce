#pragma once
// The stored form the test configurations share: the "PlugInData" element, its loading inside
// a progress step with the missing-parameter warning, the copy of the test-guide settings, and
// the blood-pressure configurations' report table.
#include "host/contract/Forward.h"
#include "host/core/ComError.h"
#include "host/run/TestGuideSettings.h"
#include "host/storage/StorageElement.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace nb4410::MConfigStore {

inline constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A3C2u);
inline constexpr ostrel::HResult kSaveError = ostrel::hr(0x8004A3C3u);

// What a configuration class raises its load and save errors with.
struct Origin {
    QString source;
    QString loadingText; // of the progress step
    int loadKind;        // of the wrong-root error
    int saveKind;        // of the missing-element error
};

// Inside a progress step with the loading text (when a progress object is given): checks the
// element is "PlugInData", then lets read take its values; read gets the step handle, 0 when
// there is none. Failures go to the error service with the source; the class's own load error
// is raised again as it is.
void LoadStep(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, const Origin& origin,
              const std::function<void(std::int32_t step)>& read);

// LoadStep reading child by child: reset first, then loadChild for each child, which returns
// the presence bit of a recognised child (0 for others). The warning is reported once when a
// bit of allPresent is missing.
void Load(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, const Origin& origin,
          const std::function<void()>& reset, const std::function<int(const ostrel::StorageElement&)>& loadChild,
          int allPresent);

// The missing-parameter warning, given only inside an open progress step.
void ReportMissing(const ostrel::ProgressPtr& progress, std::int32_t step);

// Builds "PlugInData" with its "PlugIn" attribute and lets fill add the children; failures as
// for Load, with the save error.
ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document, const Origin& origin,
                            const std::function<void(ostrel::StorageElement&)>& fill);

// Appends the settings' own element, when there are settings and they give one.
void SaveSettings(ostrel::StorageElement& element, const ostrel::StorageDocumentPtr& document,
                  const ostrel::TestGuideSettingsPtr& settings);

// A copy of the settings by their own clone; new default settings when there are none.
ostrel::TestGuideSettingsPtr CopySettings(const ostrel::TestGuideSettingsPtr& settings);

// The configuration table: rows of untranslated caption and value.
void PrintTable(const ostrel::ReportPtr& report, const std::vector<std::pair<QString, QString>>& rows);

// A stored value that no editor would accept is refused when loading, so that it never reaches
// the instrument: the severity of its report, which the application treats as an error.
inline constexpr std::int32_t kRefusedSeverity = 3;
inline constexpr char kRefusedText[] = "20103::%%1 \"%%2\" is refused: allowed are %%3 to %%4. The default value is kept.";

struct Range {
    double minimum;
    double maximum;
    bool whole = false; // only whole numbers
};
// The element's text as a number within range; otherwise fallback, and the refusal (field,
// text, range) is reported into progress with kRefusedSeverity.
double ReadChecked(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, Range range,
                   double fallback);

// Stored numbers are read as the leading number of the text.
float ReadFloat(const ostrel::StorageElement& element);
std::int16_t ReadInteger(const QString& text);
std::uint8_t ReadByte(const QString& text);

} // namespace nb4410::MConfigStore
