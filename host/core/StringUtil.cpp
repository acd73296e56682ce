#include "StringUtil.h"

namespace ostrel {

QString NumberToText(const Variant& value)
{
    switch (value.type()) {
    case VarType::Single:
        return numberToText(value.toSingle());
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
        return numberToText(value.toDouble());
    default:
        return value.text();
    }
}

namespace {
struct TokenizerState {
    QString rest;
    bool exhausted = true;
};
thread_local TokenizerState tokenizer;
} // namespace

QString NextToken(const QString& text, const QString& delimiter)
{
    if (!text.isEmpty()) {
        tokenizer.rest = text;
        tokenizer.exhausted = false;
    }
    if (tokenizer.exhausted)
        return QString();
    const qsizetype at = delimiter.isEmpty() ? -1 : tokenizer.rest.indexOf(delimiter);
    if (at < 0) {
        tokenizer.exhausted = true;
        return std::exchange(tokenizer.rest, QString());
    }
    QString token = tokenizer.rest.left(at);
    tokenizer.rest.remove(0, at + delimiter.size());
    return token;
}

} // namespace ostrel
