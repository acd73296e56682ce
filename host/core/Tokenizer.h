#pragma once
#include <QString>

namespace ostrel {

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
