// The host application. "ostrel info" prints the plug-in; "ostrel run FILE ..." runs a
// sequence without a display; "ostrel history ..." reads the service history; "ostrel [FILE]"
// opens the window.
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
        err << "ostrel: the plug-in could not be loaded: " << loadError << '\n';
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

} // namespace

int main(int argc, char** argv)
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool headless =
        command == QLatin1String("info") || command == QLatin1String("run") || command == QLatin1String("history");
    ostrel::AppEnvironment::PreparePlatform(headless);
    QApplication app(argc, argv);
    ostrel::AppEnvironment::Prepare();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (command == QLatin1String("info"))
        return ostrel::InfoCommand::Run(out, err);
    if (command == QLatin1String("run"))
        return ostrel::RunCommand(out, err).Run(app.arguments().mid(2));
    if (command == QLatin1String("history"))
        return ostrel::HistoryCommand(out, err).Run(app.arguments().mid(2));
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << "usage: ostrel [FILE]          open the window (on a sequence)\n"
               "       ostrel info            print the plug-in and its catalogue\n"
            << ostrel::RunOptions::Usage() << '\n'
            << ostrel::HistoryCommand::Usage() << '\n';
        return 0;
    }
    return openWindow(app, app.arguments().mid(1).value(0), err);
}
