// ostrel-regsvr: registers (or unregisters) the classes of shared libraries into a registry
// file, as the build does for the libraries of the build tree. A library in the product's
// library folder is registered by its file name alone, so the file stays valid when the tree
// is installed or moved.
//
//   ostrel-regsvr [--unregister] [--replace] --file OUT.reg LIB.so...
#include "app/common/CommandLine.h"
#include "app/common/ExitCode.h"
#include "host/core/ComError.h"
#include "host/core/RegistryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <dlfcn.h>

namespace {

using EntryPoint = std::int32_t (*)();

bool registerOne(const QString& library, bool unregister)
{
    const QString path = QFileInfo(library).absoluteFilePath();
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle) {
        std::fprintf(stderr, "ostrel-regsvr: error: %s cannot be loaded: %s\n", qUtf8Printable(path), dlerror());
        return false;
    }
    const char* name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, name));
    if (!entry) {
        std::fprintf(stderr, "ostrel-regsvr: error: %s exports no %s\n", qUtf8Printable(path), name);
        return false;
    }
    const std::int32_t result = entry();
    if (result != 0) {
        std::fprintf(stderr, "ostrel-regsvr: error: %s of %s failed with %s\n", name, qUtf8Printable(path),
                     qUtf8Printable(ostrel::ComError::hex(result)));
        return false;
    }
    // The library stays loaded: its classes' registrars live in the process until exit.
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString kUnregister = QStringLiteral("unregister");
    const QString kReplace = QStringLiteral("replace");
    const QString kFile = QStringLiteral("file");
    ostrel::CommandLine cli(QStringLiteral("ostrel-regsvr"),
                            QStringLiteral("Writes the class registrations of shared libraries into a registry file."));
    cli.AddCommand({.name = QString(),
                    .summary = QStringLiteral("Registers the libraries."),
                    .options = {QCommandLineOption(kUnregister, QStringLiteral("Removes the registrations instead.")),
                                QCommandLineOption(kReplace, QStringLiteral("Starts OUT.reg afresh instead of adding to it.")),
                                QCommandLineOption(kFile, QStringLiteral("The registry file to write (required)."), QStringLiteral("OUT.reg"))},
                    .arguments = QStringLiteral("LIB.so..."),
                    .minArguments = 1,
                    .maxArguments = -1});
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    if (!cli.Parse(arguments, out, err))
        return cli.ExitCode();
    const QString outFile = cli.Value(kFile);
    if (outFile.isEmpty())
        return cli.Fail(err, QStringLiteral("--file is required"));
    const bool unregister = cli.IsSet(kUnregister);
    const bool replace = cli.IsSet(kReplace);
    try {
        // Only the output file: the registrations never depend on what is installed already.
        if (replace)
            QFile::remove(outFile);
        ostrel::RegistryStore::instance().UseFiles({}, outFile);
        bool ok = true;
        for (const QString& library : cli.Arguments())
            ok = registerOne(library, unregister) && ok;
        if (replace && !QFileInfo::exists(outFile)) // nothing registered: still a valid, empty file
            ostrel::RegistryStore::instance().SetValue(ostrel::Hive::LocalMachine, QStringLiteral("Software\\Classes"),
                                                       QStringLiteral("Generator"), QStringLiteral("ostrel-regsvr"));
        return ok ? ostrel::exitcode::kPassed : ostrel::exitcode::kFailed;
    } catch (const ostrel::ComError& e) {
        std::fprintf(stderr, "ostrel-regsvr: error: %s\n", e.what());
        return ostrel::exitcode::kFailed;
    }
}
