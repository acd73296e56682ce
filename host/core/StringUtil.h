#pragma once
// The string utility: numbers to locale-independent text, and a tokenizer.
#include "Variant.h"

#include <QString>

namespace ostrel {

// The value as text with "." as the decimal point whatever the locale; Single values with
// single precision (the numberToText of their own type). Texts are returned as they are, Empty
// and Null as "".
QString numberToText(const Variant& value);

// A text taken apart token by token; the caller holds the state, so two texts never share it.
class Tokenizer {
public:
    explicit Tokenizer(QString text) : m_rest(std::move(text)) {}

    // The text up to the next delimiter (the whole rest for an empty delimiter); once the
    // text is used up every further call returns "".
    QString NextToken(const QString& delimiter);

private:
    QString m_rest;
    bool m_exhausted = false;
};

} // namespace ostrel
