// The host application. "ostrel info" prints the plug-in; "ostrel run FILE ..." runs a
// sequence without a display; "ostrel history ..." reads the service history; "ostrel [FILE]"
// opens the window. "ostrel --help" lists them.
#include "app/common/ConsoleMessageSink.h"
#include "app/common/ProcessSignals.h"
#include "app/common/ExitCode.h"
#include "app/ostrel/AppCommandLine.h"
#include "app/ostrel/AppEnvironment.h"
#include "app/ostrel/CommandLineErrors.h"
#include "app/ostrel/DialogMessageSink.h"
#include "app/ostrel/HistoryCommand.h"
#include "app/ostrel/InfoCommand.h"
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/RunCommand.h"

#include "host/core/MessageService.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

int openWindow(QApplication& app, const QString& file, QTextStream& err)
{
    auto host = std::make_shared<ostrel::PlugInHost>();
    QString loadError;
    try {
        host->Load();
    } catch (...) {
        loadError = ostrel::CommandLineErrors::Text(ostrel::ComError::fromCurrent());
        err << "ostrel: error: the plug-in could not be loaded: " << loadError << '\n';
        err.flush();
    }
    ostrel::MainWindow window(host);
    auto previous = ostrel::MessageService::instance().SetSink(std::make_shared<ostrel::DialogMessageSink>(&window));
    window.show();
    if (!loadError.isEmpty())
        ostrel::MessageService::instance().Show(ostrel::MessageIcon::Critical,
                                                QObject::tr("The NB-4410 plug-in could not be loaded:\n%1").arg(loadError),
                                                ostrel::MessageService::instance().ApplicationTitle());
    if (!file.isEmpty())
        window.OpenFile(file);
    const int status = app.exec();
    ostrel::MessageService::instance().SetSink(previous);
    return status;
}

// What keeps the window from opening, before anything is loaded: a first argument that is
// neither a command nor a file (a mistyped command), or no display to open it on.
QString windowProblem(const QString& file)
{
    if (!file.isEmpty() && !QFileInfo::exists(file))
        return QStringLiteral("\"%1\" is neither a command (info, run) nor a file").arg(file);
    if (!ostrel::AppEnvironment::HasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return QStringLiteral("the window needs a display; \"ostrel run FILE\" runs a sequence without one");
    return QString();
}

} // namespace

int main(int argc, char** argv)
{
    ostrel::ProcessSignals::IgnoreBrokenPipes();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto commandLine = ostrel::AppCommandLine::Create();
    if (!commandLine->Parse(arguments, out, err))
        return commandLine->ExitCode();
    const QString command = commandLine->Command();
    const QString file = command.isEmpty() ? commandLine->Arguments().value(0) : QString();
    if (command.isEmpty())
        if (const QString problem = windowProblem(file); !problem.isEmpty())
            return commandLine->Fail(err, problem);

    const bool headless = !command.isEmpty();
    ostrel::AppEnvironment::PrepareMemory();
    ostrel::AppEnvironment::PreparePlatform(headless);
    QApplication app(argc, argv);
    ostrel::AppEnvironment::Prepare();
    if (headless)
        ostrel::MessageService::instance().SetSink(std::make_shared<ostrel::ConsoleMessageSink>(ostrel::AppCommandLine::kProgram));

    if (command == ostrel::AppCommandLine::kInfo)
        return ostrel::InfoCommand::Run(out, err);
    if (command == ostrel::AppCommandLine::kRun)
        return ostrel::RunCommand(out, err).Run(*commandLine);
    if (command == ostrel::AppCommandLine::kHistory)
        return ostrel::HistoryCommand(out, err).Run(*commandLine);
    return openWindow(app, file, err);
}
