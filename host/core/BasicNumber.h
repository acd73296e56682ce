#pragma once
// The Basic rules for plain numbers and their texts, for code that holds a number or a text
// rather than a Variant (the Variant's own conversions apply these same rules): leading-number
// parsing, rounding halves to even, locale-independent number-to-text and the simple formats.
#include <QString>
#include <cstdint>
#include <optional>

namespace ostrel {

// Val(): the leading number of the text ("12a" is 12, "abc" is 0); blanks anywhere are skipped.
double leadingNumber(const QString& text);
// CDbl of a text: the whole text (blanks around aside) must be a number, "&H" hexadecimal too.
std::optional<double> wholeNumber(const QString& text);

// Halves to even; fail with 6 (overflow) outside the type's range or for NaN and infinity.
std::int32_t roundToLong(double value);
std::int16_t roundToInteger(double value);
std::uint8_t roundToByte(double value);

QString numberToText(double value);         // shortest text that reads back to the value, "." point
QString numberToText(float value);          // the same for single precision
QString formatNumber(double value, const QString& format); // "0", "0.0", "0.00", "00", "0.##", ...

} // namespace ostrel
