// The host application. "ostrel info" prints the plug-in; "ostrel run FILE ..." runs a
// sequence without a display; "ostrel [FILE]" opens the window.
#include "app/ostrel/AppEnvironment.h"
#include "app/ostrel/InfoCommand.h"
#include "app/ostrel/RunCommand.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool headless = command == QLatin1String("info") || command == QLatin1String("run");
    ostrel::AppEnvironment::PreparePlatform(headless);
    QApplication app(argc, argv);
    ostrel::AppEnvironment::Prepare();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (command == QLatin1String("info"))
        return ostrel::InfoCommand::Run(out, err);
    if (command == QLatin1String("run"))
        return ostrel::RunCommand(out, err).Run(app.arguments().mid(2));
    err << "ostrel: the window is not built yet\n";
    return 2;
}
