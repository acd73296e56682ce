#pragma once
// Creation by program identifier. Each library exports the four self-registration entry
// points (see ClassTable.h); registration writes "Software\Classes\<ProgID>" with the value
// "InprocServer32" = the library into the registry store: its bare file name when it is in the
// product's library folder (so that a moved or installed tree still finds it), else its path. Create loads the registered
// library and asks its class object. Classes of libraries already in the process may also be
// registered in-process (host classes, test doubles).
#include "Object.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <mutex>

class QWidget;

namespace ostrel {

// What DllGetClassObject hands out for one program identifier.
struct ClassFactory {
    ObjectPtr (*create)() = nullptr;                     // plain objects
    QWidget* (*createControl)(QWidget* parent) = nullptr; // user controls, owned by their Qt parent
};

class ClassRegistry {
    // In-process classes: registered by ClassRegistrar (see ClassTable.h).
public:
    static ClassRegistry& instance();

    // Fails with 0x80040154 (class not registered) or the library's load error.
    ObjectPtr Create(const QString& progId);
    template <class I>
    std::shared_ptr<I> CreateAs(const QString& progId) { return require<I>(Create(progId)); }
    // A user control, parented to parent; fails like Create.
    QWidget* CreateControl(const QString& progId, QWidget* parent);

    // Program identifiers are compared without regard to case.
    void RegisterLocal(const QString& progId, ClassFactory factory);
    void UnregisterLocal(const QString& progId);
    bool FindLocal(const QString& progId, ClassFactory* out) const;
    QStringList LocalClasses() const; // as registered

private:
    ClassFactory resolve(const QString& progId);
    void* loadLibrary(const QString& progId, const QString& path);

    mutable std::recursive_mutex m_mutex;
    QHash<QString, ClassFactory> m_local; // lower-case program identifier -> factory
    QHash<QString, QString> m_names;      // lower-case -> as registered
    QHash<QString, void*> m_libraries;    // path -> dlopen handle, kept for the life of the process
};

} // namespace ostrel
