#include "CommandLineErrors.h"

#include "app/common/ConsoleMessageSink.h"

namespace ostrel {

QString CommandLineErrors::Text(const ComError& failure)
{
    const QString source = failure.source().isEmpty() ? QStringLiteral("unknown source") : failure.source();
    return QStringLiteral("error %1 (%2): %3").arg(ComError::hex(failure.number()), source, ConsoleMessageSink::Flat(failure.description()));
}

void CommandLineErrors::Print(QTextStream& err, const ComError& failure)
{
    err << "ostrel: " << Text(failure) << '\n';
    err.flush();
}

} // namespace ostrel
