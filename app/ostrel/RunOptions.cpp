#include "RunOptions.h"

#include "host/core/ComError.h"

namespace ostrel {

namespace {
[[noreturn]] void bad(const QString& text)
{
    throw ComError(kE_InvalidArg, QStringLiteral("ostrel.run"), text, 1);
}
} // namespace

QString RunOptions::Usage()
{
    return QStringLiteral(
        "usage: ostrel run FILE [--operator auto] [--report OUT.pdf] [--html OUT.html] [--json OUT.json]\n"
        "                       [--csv OUT.csv] [--save OUT.xml] [--dut-serial TEXT] [--technician TEXT]\n"
        "                       [--sim-speed N] [--failures-only] [--db URL]");
}

RunOptions RunOptions::Parse(const QStringList& args)
{
    RunOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                bad(QStringLiteral("%1 needs a value").arg(arg));
            return args[++i];
        };
        if (arg == QLatin1String("--operator")) {
            options.operatorName = value();
            if (options.operatorName != QLatin1String("auto"))
                bad(QStringLiteral("unknown operator \"%1\" (only \"auto\" is known)").arg(options.operatorName));
        } else if (arg == QLatin1String("--report")) {
            options.reportPdf = value();
        } else if (arg == QLatin1String("--html")) {
            options.reportHtml = value();
        } else if (arg == QLatin1String("--json")) {
            options.json = value();
        } else if (arg == QLatin1String("--csv")) {
            options.csv = value();
        } else if (arg == QLatin1String("--save")) {
            options.save = value();
        } else if (arg == QLatin1String("--dut-serial")) {
            options.dutSerial = value();
        } else if (arg == QLatin1String("--technician")) {
            options.technician = value();
        } else if (arg == QLatin1String("--db")) {
            options.database = value();
        } else if (arg == QLatin1String("--sim-speed")) {
            options.simSpeed = value();
            bool ok = false;
            const double speed = options.simSpeed.toDouble(&ok);
            if (!ok || !(speed > 0))
                bad(QStringLiteral("--sim-speed needs a number above 0, not \"%1\"").arg(options.simSpeed));
        } else if (arg == QLatin1String("--failures-only")) {
            options.failuresOnly = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            bad(QStringLiteral("unknown option %1").arg(arg));
        } else if (options.file.isEmpty()) {
            options.file = arg;
        } else {
            bad(QStringLiteral("only one sequence file can be run (\"%1\")").arg(arg));
        }
    }
    if (options.file.isEmpty())
        bad(QStringLiteral("no sequence file given"));
    return options;
}

} // namespace ostrel
