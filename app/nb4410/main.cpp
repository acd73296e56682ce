// nb4410: checks the instrument and its cabling without a test sequence. Messages of the
// driver go to standard error through the host's default message sink.
#include "InstrumentTool.h"

#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int)
{
    g_interrupted = true;
    std::signal(SIGINT, SIG_DFL); // a second Ctrl+C ends the program at once
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nb4410"));
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    QTextStream out(stdout);
    QTextStream err(stderr);
    nb4410tool::InstrumentTool tool(out, err, g_interrupted);
    QStringList args = app.arguments();
    args.removeFirst();
    return tool.Run(args);
}
