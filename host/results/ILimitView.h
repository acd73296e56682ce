#pragma once
// The limit view's own operation, reached from its widget by dynamic_cast: one editor row per
// measurement key.
#include <QString>

namespace ostrel {

class ILimitView {
public:
    virtual ~ILimitView() = default;
    // unitArgument: the unit of a new limit (the first of its ";"-separated choices is taken);
    // unitChoices: the units a limit may be given in, separated by ";".
    virtual void AddRow(const QString& key, const QString& description, const QString& unitArgument,
                        const QString& unitChoices) = 0;
};

} // namespace ostrel
