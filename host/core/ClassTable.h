#pragma once
// How a library offers its classes. Each class registers itself in-process where it is
// defined:
//
//   OSTREL_REGISTER_CLASS("OstrelNB4410.CTestLeak", CTestLeak)
//   OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigLeak", XConfigLeak)
//
// and each shared library states once, in one source file, its four exported entry points:
//
//   OSTREL_LIBRARY_EXPORTS("OstrelNB4410")
//
// DllRegisterServer then writes every registered program identifier that starts with the
// library name and a point into the registry store, with the library's own path.
#include "ClassRegistry.h"

#include <cstdint>

namespace ostrel {

template <class T>
ObjectPtr createObject() { return std::make_shared<T>(); }
template <class T>
QWidget* createControl(QWidget* parent) { return new T(parent); }

struct ClassRegistrar {
    ClassRegistrar(const char* progId, ClassFactory factory);
};

// Shared implementations of the entry points; anchor is any address inside the library.
std::int32_t registerLibrary(const char* libraryName, const void* anchor);
std::int32_t unregisterLibrary(const char* libraryName);
std::int32_t getClassObject(const char* libraryName, const char* progId, ClassFactory* out);

} // namespace ostrel

#define OSTREL_CAT_(a, b) a##b
#define OSTREL_CAT(a, b) OSTREL_CAT_(a, b)

#define OSTREL_REGISTER_CLASS(progId, Type)                                                                  \
    static const ::ostrel::ClassRegistrar OSTREL_CAT(kOstrelClassRegistrar, __LINE__){                       \
        progId, ::ostrel::ClassFactory{&::ostrel::createObject<Type>, nullptr}};

#define OSTREL_REGISTER_CONTROL(progId, Type)                                                                \
    static const ::ostrel::ClassRegistrar OSTREL_CAT(kOstrelClassRegistrar, __LINE__){                       \
        progId, ::ostrel::ClassFactory{nullptr, &::ostrel::createControl<Type>}};

#define OSTREL_LIBRARY_EXPORTS(libraryName)                                                                  \
    namespace {                                                                                              \
    const char kOstrelLibraryName[] = libraryName;                                                           \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllRegisterServer()                       \
    {                                                                                                        \
        return ::ostrel::registerLibrary(kOstrelLibraryName, kOstrelLibraryName);                            \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllUnregisterServer()                     \
    {                                                                                                        \
        return ::ostrel::unregisterLibrary(kOstrelLibraryName);                                              \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllGetClassObject(                       \
        const char* progId, ::ostrel::ClassFactory* out)                                                     \
    {                                                                                                        \
        return ::ostrel::getClassObject(kOstrelLibraryName, progId, out);                                    \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllCanUnloadNow() { return 1; }
