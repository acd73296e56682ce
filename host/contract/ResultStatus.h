#pragma once
// The statuses of a result and of a measurement, as stored and as every view, report and
// export reads them. Numbers are only ever added, so that stored documents stay readable.
#include <cstdint>

namespace ostrel::status {

inline constexpr std::int32_t kNotEvaluated = 0; // no value yet
inline constexpr std::int32_t kPassed = 1;       // measured in full and within every applied limit
inline constexpr std::int32_t kFailed = 2;       // measured in full and outside an applied limit
inline constexpr std::int32_t kNotApplicable = 3;
// The run ended before its duration or end condition (stop, navigation, an instrument or link
// failure): the values are kept for the record but are no verdict.
inline constexpr std::int32_t kIncomplete = 4;
// Measured, but no selected standard holds a limit for it: nothing was judged.
inline constexpr std::int32_t kNotJudged = 5;
// Shown while a run is in progress: live values, no verdict yet. Never stored: a run ends with
// a verdict or incomplete before its result can be saved.
inline constexpr std::int32_t kRunning = -1;

} // namespace ostrel::status
