#pragma once
// The stored form and the printed table the two blood-pressure configurations share: the
// "PlugInData" element, loading it child by child with the missing-parameter warning, and the
// report's configuration table.
#include "host/contract/Forward.h"
#include "host/core/ComError.h"
#include "host/storage/StorageElement.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace nb4410::MConfigBPStore {

inline constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A3C2u);
inline constexpr ostrel::HResult kSaveError = ostrel::hr(0x8004A3C3u);

// Loads the element's children: reset first, then loadChild for each child, which returns the
// presence bit of a recognised child (0 for others). The warning is reported once when a bit
// of allPresent is missing. Failures go to the error service with the source; the class's own
// load error is raised again as it is.
void Load(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, const QString& source,
          const std::function<void()>& reset, const std::function<int(const ostrel::StorageElement&)>& loadChild,
          int allPresent);

// Builds "PlugInData" with its "PlugIn" attribute and lets fill add the children; failures as
// for Load, with the save error.
ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document, const QString& source,
                            const std::function<void(ostrel::StorageElement&)>& fill);

// The configuration table: rows of untranslated caption and value.
void PrintTable(const ostrel::ReportPtr& report, const std::vector<std::pair<QString, QString>>& rows);

// Stored numbers are read as the leading number of the text.
float ReadFloat(const ostrel::StorageElement& element);
std::int16_t ReadInteger(const QString& text);
std::uint8_t ReadByte(const QString& text);

} // namespace nb4410::MConfigBPStore
