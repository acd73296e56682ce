#include "InstrumentTool.h"

#include "host/core/Paths.h"
#include "host/core/ClassRegistry.h"
#include "host/core/Steps.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/datalink/LinkTrace.h"
#include "vti/NB4410Protocol.h"

#include <QEventLoop>
#include <QLibrary>
#include <QTextStream>
#include <QTimer>

namespace nb4410tool {

using ostrel::Variant;
using ostrel::VariantArray;

namespace {

const QString kDriverLibrary = QStringLiteral("libOstrelNB4410vti.so");

// The instrument's test numbers by the names the tool accepts.
int testNumberOf(const QString& name)
{
    namespace wire = nb4410::protocol;
    if (name == QLatin1String("leak"))
        return wire::kTestLeak;
    if (name == QLatin1String("overpressure"))
        return wire::kTestOverPressure;
    if (name == QLatin1String("cuffvolume"))
        return wire::kTestCuffVolume;
    if (name == QLatin1String("bp"))
        return wire::kTestBloodPressure;
    return 0;
}

} // namespace

InstrumentTool::InstrumentTool(QTextStream& out, QTextStream& err, const std::atomic<bool>& interrupted)
    : m_out(out), m_err(err), m_interrupted(interrupted)
{
}

QString InstrumentTool::Usage()
{
    return QStringLiteral("usage: nb4410 [--device PATH] [--trace FILE] identify\n"
                          "       nb4410 [--device PATH] [--trace FILE] operator [--set OPERATOR ESTABLISHMENT SERIAL]\n"
                          "       nb4410 [--device PATH] [--trace FILE] run leak|overpressure|cuffvolume|bp [VALUES...]\n"
                          "PATH is a serial device or \"simulator\"; without --device the port registry chooses.\n"
                          "--trace appends every frame on the line to FILE.\n");
}

int InstrumentTool::usage(const QString& problem)
{
    if (!problem.isEmpty())
        m_err << "nb4410: error: " << problem << "\n";
    m_err << Usage();
    m_err.flush();
    return kExitUsage;
}

std::shared_ptr<nb4410vti::_CNB4410VTI> InstrumentTool::driver()
{
    if (!m_global) {
        const QString progId = QString::fromLatin1(nb4410vti::kGNB4410VTIProgId);
        try {
            m_global = ostrel::ClassRegistry::instance().CreateAs<nb4410vti::_GNB4410VTI>(progId);
        } catch (const ostrel::ComError&) {
            // Not registered yet: the library in the library folder registers its classes when loaded.
            QLibrary library(ostrel::Paths::LibraryFile(kDriverLibrary));
            library.setLoadHints(QLibrary::ExportExternalSymbolsHint);
            if (!library.load())
                throw;
            m_global = ostrel::ClassRegistry::instance().CreateAs<nb4410vti::_GNB4410VTI>(progId);
        }
    }
    return m_global->NB4410();
}

void InstrumentTool::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int InstrumentTool::Run(QStringList args)
{
    if (!args.isEmpty() && args.front() == QLatin1String("--device")) {
        if (args.size() < 2)
            return usage(QStringLiteral("--device needs a path"));
        ostrel::PortEntry entry{QStringLiteral("NB-4410"), args[1], {}};
        ostrel::DataLinkRoot::instance()->PortRegistry()->SetPorts({{1, entry}});
        args = args.mid(2);
    }
    if (!args.isEmpty() && args.front() == QLatin1String("--trace")) {
        if (args.size() < 2)
            return usage(QStringLiteral("--trace needs a file"));
        if (!ostrel::LinkTrace::WriteTo(args[1])) {
            m_err << "nb4410: cannot write the trace to " << args[1] << "\n";
            m_err.flush();
            return kExitUsage;
        }
        args = args.mid(2);
    }
    if (args.isEmpty())
        return usage(QString());
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("identify"))
            return args.isEmpty() ? identify() : usage(QStringLiteral("identify takes no arguments"));
        if (command == QLatin1String("operator"))
            return operatorRecord(args);
        if (command == QLatin1String("run"))
            return runTest(args);
        if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
            m_out << Usage();
            return kExitOk;
        }
    } catch (const ostrel::ComError& failure) {
        // The driver has shown its own message already; the tool adds the number for logs.
        m_err << "nb4410: error: " << ostrel::ComError::hex(failure.number()) << " " << failure.description() << "\n";
        m_err.flush();
        ostrel::runStep("end the remote session", [&] { driver()->EndRemote(); });
        return kExitFailure;
    }
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}

int InstrumentTool::identify()
{
    const auto vti = driver();
    vti->StartRemote();
    m_out << "Instrument: " << vti->MTIName() << "\n"
          << "Serial number: " << vti->SerialNo() << "\n"
          << "Firmware version: " << vti->FWVersion() << "\n";
    if (const ostrel::MtiDataPtr data = vti->MTIData())
        m_out << "Model: " << data->Model() << "\n";
    m_out.flush();
    vti->EndRemote();
    return kExitOk;
}

int InstrumentTool::operatorRecord(const QStringList& args)
{
    const bool set = !args.isEmpty() && args.front() == QLatin1String("--set");
    if (set && args.size() != 4)
        return usage(QStringLiteral("operator --set needs OPERATOR ESTABLISHMENT SERIAL"));
    if (!set && !args.isEmpty())
        return usage(QStringLiteral("operator takes no arguments but --set"));
    const auto vti = driver();
    vti->StartRemote();
    if (set) {
        QString op = args[1], establishment = args[2], serial = args[3];
        vti->PutMTIData(op, establishment, serial);
    }
    QString op, establishment, serial;
    vti->GetMtiData(op, establishment, serial);
    m_out << "Operator: " << op << "\n"
          << "Establishment: " << establishment << "\n"
          << "Serial number: " << serial << "\n";
    m_out.flush();
    vti->EndRemote();
    return kExitOk;
}

int InstrumentTool::runTest(const QStringList& args)
{
    if (args.isEmpty())
        return usage(QStringLiteral("run needs a test: leak, overpressure, cuffvolume or bp"));
    std::int32_t testNumber = testNumberOf(args.front());
    if (testNumber == 0)
        return usage(QStringLiteral("unknown test \"%1\"").arg(args.front()));

    VariantArray params{Variant(QString::number(testNumber))};
    for (const QString& value : args.mid(1))
        params.append(Variant(value));
    Variant wrapped(VariantArray{Variant(params)});

    const auto vti = driver();
    vti->StartRemote();
    vti->StartTest(wrapped);
    bool ended = false;
    while (!ended && !m_interrupted) {
        Variant reply;
        vti->GetTestResult(testNumber, reply);
        QStringList fields;
        if (reply.isArray()) {
            for (const Variant& field : reply.array().items())
                fields.append(field.text());
            const int endField = nb4410::protocol::gres::kEnd;
            ended = reply.array().count() > endField && reply.array()[endField].val() > 0;
        }
        m_out << fields.join(QLatin1Char('\t')) << "\n";
        m_out.flush();
        if (!ended && !m_interrupted)
            pause(kPollIntervalMs);
    }
    if (m_interrupted) {
        m_err << "nb4410: stopped\n";
        m_err.flush();
    }
    vti->StopTest();
    vti->EndRemote();
    return kExitOk;
}

} // namespace nb4410tool
