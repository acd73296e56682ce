#pragma once
// "ostrel info": the plug-in's identity, version, flags and catalogue, or the failure that
// kept it from loading.
#include <QTextStream>

namespace ostrel {

class InfoCommand {
public:
    // 0 when the plug-in loaded, 1 when it failed (the error is written to err).
    static int Run(QTextStream& out, QTextStream& err);
};

} // namespace ostrel
