#include "InfoCommand.h"

#include "CommandLineErrors.h"
#include "PlugInHost.h"

#include "host/core/ComError.h"

namespace ostrel {

int InfoCommand::Run(QTextStream& out, QTextStream& err)
{
    try {
        PlugInHost host;
        host.Load();
        const auto plugIn = host.PlugIn();
        out << "Plug-in:   " << plugIn->Name() << '\n';
        out << "ID:        " << plugIn->ID() << '\n';
        out << "Version:   " << plugIn->Version() << '\n';
        out << "Flags:     " << QStringLiteral("0x%1").arg(static_cast<quint32>(plugIn->Flags()), 8, 16, QLatin1Char('0')) << '\n';
        const auto catalogue = host.Catalogue();
        out << "Catalogue: " << catalogue.size() << (catalogue.size() == 1 ? " test" : " tests") << '\n';
        for (const auto& entry : catalogue) {
            out << "  " << QString::number(entry.testId).rightJustified(4) << "  " << entry.name << '\n';
            if (!entry.description.isEmpty())
                out << "        " << entry.description << '\n';
        }
        out.flush();
        return 0;
    } catch (...) {
        CommandLineErrors::Print(err, ComError::fromCurrent());
        return 1;
    }
}

} // namespace ostrel
