#pragma once
// The string utility: numbers to locale-independent text, and a tokenizer.
#include "Variant.h"

#include <QString>

namespace ostrel {

// The value as text with "." as the decimal point whatever the locale; Single values with
// single precision. Texts are returned as they are, Empty and Null as "".
QString NumberToText(const Variant& value);

// The text up to the next delimiter; the tokenizer keeps the rest. An empty text goes on
// through the text given last; when it is used up every further call returns "".
QString NextToken(const QString& text, const QString& delimiter);

} // namespace ostrel
