#include "ClassRegistry.h"

#include "ClassTable.h"
#include "Paths.h"
#include "RegistryStore.h"

#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace ostrel {

namespace {

constexpr char kSource[] = "ostrel.ClassRegistry";
const QString kClassesKey = QStringLiteral("Software\\Classes\\");
const QString kServerValue = QStringLiteral("InprocServer32");

[[noreturn]] void notRegistered(const QString& progId, const QString& why)
{
    throw ComError(kClassNotRegistered, kSource, QStringLiteral("Class not registered: \"%1\" (%2)").arg(progId, why), 1);
}

using GetClassObjectFn = std::int32_t (*)(const char*, ClassFactory*);

bool belongsTo(const QString& progId, const char* libraryName)
{
    return progId.startsWith(QString::fromUtf8(libraryName) + QLatin1Char('.'), Qt::CaseInsensitive);
}

} // namespace

ClassRegistry& ClassRegistry::instance()
{
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::RegisterLocal(const QString& progId, ClassFactory factory)
{
    std::lock_guard lock(m_mutex);
    m_local.insert(progId.toLower(), factory);
    m_names.insert(progId.toLower(), progId);
}

void ClassRegistry::UnregisterLocal(const QString& progId)
{
    std::lock_guard lock(m_mutex);
    m_local.remove(progId.toLower());
    m_names.remove(progId.toLower());
}

QStringList ClassRegistry::LocalClasses() const
{
    std::lock_guard lock(m_mutex);
    return m_names.values();
}

bool ClassRegistry::FindLocal(const QString& progId, ClassFactory* out) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_local.constFind(progId.toLower());
    if (it == m_local.constEnd())
        return false;
    if (out)
        *out = *it;
    return true;
}

void* ClassRegistry::loadLibrary(const QString& progId, const QString& path)
{
    {
        std::lock_guard lock(m_mutex);
        if (auto it = m_libraries.constFind(path); it != m_libraries.constEnd())
            return *it;
    }
    // Not under the lock: loading runs the library's registrars, which register here.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle) {
        const char* why = dlerror();
        notRegistered(progId, QStringLiteral("its library \"%1\" cannot be loaded: %2")
                                  .arg(path, why ? QString::fromLocal8Bit(why) : QStringLiteral("unknown reason")));
    }
    std::lock_guard lock(m_mutex);
    m_libraries.insert(path, handle);
    return handle;
}

ClassFactory ClassRegistry::resolve(const QString& progId)
{
    ClassFactory factory;
    if (FindLocal(progId, &factory))
        return factory;
    if (progId.trimmed().isEmpty())
        notRegistered(progId, QStringLiteral("no program identifier given"));
    const RegistryKeyPtr key = RegistryStore::instance().Open(Hive::LocalMachine, kClassesKey + progId);
    if (!key)
        notRegistered(progId, QStringLiteral("no registration found"));
    const QString path = key->Text(kServerValue);
    if (path.isEmpty())
        notRegistered(progId, QStringLiteral("the registration names no library"));
    void* handle = loadLibrary(progId, Paths::LibraryFile(path));
    if (FindLocal(progId, &factory))
        return factory;
    auto getClassObject = reinterpret_cast<GetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    if (!getClassObject)
        notRegistered(progId, QStringLiteral("\"%1\" exports no DllGetClassObject").arg(path));
    const QByteArray id = progId.toUtf8();
    if (getClassObject(id.constData(), &factory) != 0 || (!factory.create && !factory.createControl))
        notRegistered(progId, QStringLiteral("\"%1\" does not offer it").arg(path));
    return factory;
}

ObjectPtr ClassRegistry::Create(const QString& progId)
{
    const ClassFactory factory = resolve(progId);
    if (!factory.create)
        notRegistered(progId, QStringLiteral("it is a control, not an object"));
    ObjectPtr object = factory.create();
    if (!object)
        throw ComError(kE_Fail, kSource, QStringLiteral("\"%1\" made no object").arg(progId), 1);
    return object;
}

QWidget* ClassRegistry::CreateControl(const QString& progId, QWidget* parent)
{
    const ClassFactory factory = resolve(progId);
    if (!factory.createControl)
        notRegistered(progId, QStringLiteral("it is an object, not a control"));
    QWidget* control = factory.createControl(parent);
    if (!control)
        throw ComError(kE_Fail, kSource, QStringLiteral("\"%1\" made no control").arg(progId), 1);
    return control;
}

// ---- the entry points every library exports ----------------------------------------------

ClassRegistrar::ClassRegistrar(const char* progId, ClassFactory factory)
{
    ClassRegistry::instance().RegisterLocal(QString::fromUtf8(progId), factory);
}

std::int32_t registerLibrary(const char* libraryName, const void* anchor)
{
    try {
        Dl_info info{};
        if (!dladdr(anchor, &info) || !info.dli_fname)
            return kE_Fail;
        const QString path = QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath();
        if (path.isEmpty())
            return kE_Fail;
        for (const QString& progId : ClassRegistry::instance().LocalClasses())
            if (belongsTo(progId, libraryName))
                RegistryStore::instance().SetValue(Hive::LocalMachine, kClassesKey + progId, kServerValue,
                                                   Paths::LibraryReference(path));
        return 0;
    } catch (...) {
        return ComError::fromCurrent().number();
    }
}

std::int32_t unregisterLibrary(const char* libraryName)
{
    try {
        for (const QString& progId : ClassRegistry::instance().LocalClasses())
            if (belongsTo(progId, libraryName))
                RegistryStore::instance().DeleteKey(Hive::LocalMachine, kClassesKey + progId);
        return 0;
    } catch (...) {
        return ComError::fromCurrent().number();
    }
}

std::int32_t getClassObject(const char* libraryName, const char* progId, ClassFactory* out)
{
    if (!progId || !out)
        return kE_Pointer;
    const QString id = QString::fromUtf8(progId);
    if (!belongsTo(id, libraryName) || !ClassRegistry::instance().FindLocal(id, out))
        return kClassNotAvailable;
    return 0;
}

} // namespace ostrel
