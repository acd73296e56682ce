#pragma once
// The exit codes of every command-line program of the product. A script (or a quality
// system) tells outcomes apart by them, so they never change meaning.

namespace ostrel::exitcode {

inline constexpr int kPassed = 0;        // every element passed and was judged
inline constexpr int kFailed = 1;        // some element failed its limits
inline constexpr int kUsage = 2;         // bad command line or unreadable/invalid input file
inline constexpr int kIncomplete = 3;    // some element incomplete or not judged
inline constexpr int kInstrument = 4;    // instrument or link error

} // namespace ostrel::exitcode
