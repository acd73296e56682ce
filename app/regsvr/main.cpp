// ostrel-regsvr: registers (or unregisters) the classes of shared libraries into a registry
// file, as the build does for the libraries of the build tree.
//
//   ostrel-regsvr [--unregister] [--replace] --file OUT.reg LIB.so...
#include "host/core/ComError.h"
#include "host/core/RegistryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <dlfcn.h>

namespace {

using EntryPoint = std::int32_t (*)();

int usage()
{
    std::fprintf(stderr, "usage: ostrel-regsvr [--unregister] [--replace] --file OUT.reg LIB.so...\n"
                         "  --replace     start OUT.reg afresh instead of adding to it\n");
    return 2;
}

bool registerOne(const QString& library, bool unregister)
{
    const QString path = QFileInfo(library).absoluteFilePath();
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle) {
        std::fprintf(stderr, "ostrel-regsvr: %s cannot be loaded: %s\n", qUtf8Printable(path), dlerror());
        return false;
    }
    const char* name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, name));
    if (!entry) {
        std::fprintf(stderr, "ostrel-regsvr: %s exports no %s\n", qUtf8Printable(path), name);
        return false;
    }
    const std::int32_t result = entry();
    if (result != 0) {
        std::fprintf(stderr, "ostrel-regsvr: %s of %s failed with %s\n", name, qUtf8Printable(path),
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
    QStringList args = app.arguments().mid(1);
    bool unregister = false;
    bool replace = false;
    QString out;
    QStringList libraries;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--unregister"))
            unregister = true;
        else if (a == QLatin1String("--replace"))
            replace = true;
        else if (a == QLatin1String("--file") && i + 1 < args.size())
            out = args[++i];
        else if (a.startsWith(QLatin1String("--")))
            return usage();
        else
            libraries << a;
    }
    if (out.isEmpty() || libraries.isEmpty())
        return usage();
    try {
        // Only the output file: the registrations never depend on what is installed already.
        if (replace)
            QFile::remove(out);
        ostrel::RegistryStore::instance().UseFiles({}, out);
        bool ok = true;
        for (const QString& library : libraries)
            ok = registerOne(library, unregister) && ok;
        if (replace && !QFileInfo::exists(out)) // nothing registered: still a valid, empty file
            ostrel::RegistryStore::instance().SetValue(ostrel::Hive::LocalMachine, QStringLiteral("Software\\Classes"),
                                                       QStringLiteral("Generator"), QStringLiteral("ostrel-regsvr"));
        return ok ? 0 : 1;
    } catch (const ostrel::ComError& e) {
        std::fprintf(stderr, "ostrel-regsvr: %s\n", e.what());
        return 1;
    }
}
