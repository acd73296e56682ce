#pragma once
// How the command-line modes print a failure: its number (hex), source and text.
#include "host/core/ComError.h"

#include <QTextStream>

namespace ostrel {

class CommandLineErrors {
public:
    static QString Text(const ComError& failure);
    static void Print(QTextStream& err, const ComError& failure);
};

} // namespace ostrel
