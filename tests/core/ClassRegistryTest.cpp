#include "host/core/ClassTable.h"
#include "host/core/RegistryStore.h"
#include "tests/support/RegistryGuard.h"

#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>

using namespace ostrel;
using ostrel::testing::RegistryGuard;

namespace {

class ILocal : public virtual IObject {
public:
    virtual int Value() = 0;
};
class CLocal : public ILocal {
public:
    int Value() override { return 7; }
};

const QByteArray kHeader = "Windows Registry Editor Version 5.00\n";

QByteArray registrationOf(const QString& progId, const QString& path)
{
    QString escaped = path;
    escaped.replace("\\", "\\\\");
    return QStringLiteral("\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\%1]\n\"InprocServer32\"=\"%2\"\n")
        .arg(progId, escaped)
        .toUtf8();
}

HResult failureOf(const QString& progId)
{
    try {
        ClassRegistry::instance().Create(progId);
    } catch (const ComError& e) {
        EXPECT_TRUE(e.description().contains(progId)) << qPrintable(e.description());
        return e.number();
    }
    return 0;
}

TEST(ClassRegistry, CreatesInProcessClassesWithoutRegardToCase)
{
    RegistryGuard guard({}, false);
    ClassRegistry::instance().RegisterLocal("Tests.CLocal", {&createObject<CLocal>, nullptr});
    auto local = ClassRegistry::instance().CreateAs<ILocal>("tests.clocal");
    EXPECT_EQ(local->Value(), 7);
    EXPECT_NE(ClassRegistry::instance().Create("Tests.CLocal"), ClassRegistry::instance().Create("Tests.CLocal"));
    ClassRegistry::instance().UnregisterLocal("Tests.CLocal");
    EXPECT_EQ(failureOf("Tests.CLocal"), kClassNotRegistered);
}

TEST(ClassRegistry, UnknownOrBrokenRegistrationsFailNamingTheClass)
{
    RegistryGuard guard(kHeader + registrationOf("Tests.Missing", "/nonexistent/libmissing.so")
                        + "\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\Tests.NoPath]\n\"Other\"=\"x\"\n", false);
    EXPECT_EQ(failureOf("Tests.Nobody"), kClassNotRegistered);
    EXPECT_EQ(failureOf("Tests.Missing"), kClassNotRegistered);
    EXPECT_EQ(failureOf("Tests.NoPath"), kClassNotRegistered);
    EXPECT_EQ(failureOf(""), kClassNotRegistered);
}

// One test: the library stays loaded for the rest of the process once it has been loaded.
TEST(ClassRegistry, LoadsARegisteredLibraryAndRegistersIt)
{
    // A registration names the library by its path, or by its file name alone when it is in
    // the product's library folder (what the build and the package ship).
    RegistryGuard guard(kHeader + registrationOf("OstrelTestLib.CThing", "libostrel_testlib.so")
                            + registrationOf("OstrelTestLib.XThingControl", OSTREL_TESTLIB_PATH),
                        false);
    ObjectPtr thing = ClassRegistry::instance().Create("OstrelTestLib.CThing");
    ASSERT_TRUE(thing);
    QWidget parent;
    QWidget* control = ClassRegistry::instance().CreateControl("OstrelTestLib.XThingControl", &parent);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->parent(), &parent);
    EXPECT_THROW(ClassRegistry::instance().CreateControl("OstrelTestLib.CThing", &parent), ComError);
    EXPECT_THROW(ClassRegistry::instance().Create("OstrelTestLib.XThingControl"), ComError);

    // Its own entry points write and remove the registrations of its classes only.
    void* handle = dlopen(OSTREL_TESTLIB_PATH, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_TRUE(handle);
    auto reg = reinterpret_cast<std::int32_t (*)()>(dlsym(handle, "DllRegisterServer"));
    auto unreg = reinterpret_cast<std::int32_t (*)()>(dlsym(handle, "DllUnregisterServer"));
    auto get = reinterpret_cast<std::int32_t (*)(const char*, ClassFactory*)>(dlsym(handle, "DllGetClassObject"));
    ASSERT_TRUE(reg && unreg && get);
    RegistryStore::instance().UseFiles({}, guard.files.path("written.reg"));
    ClassRegistry::instance().RegisterLocal("Tests.CLocal", {&createObject<CLocal>, nullptr});
    EXPECT_EQ(reg(), 0);
    const QByteArray written = guard.files.read("written.reg");
    EXPECT_TRUE(written.contains("[HKEY_LOCAL_MACHINE\\Software\\Classes\\OstrelTestLib.CThing]")) << written.constData();
    EXPECT_TRUE(written.contains("OstrelTestLib.XThingControl")) << written.constData();
    EXPECT_TRUE(written.contains("\"InprocServer32\"=\"libostrel_testlib.so\"")) << written.constData();
    EXPECT_FALSE(written.contains("Tests.CLocal")) << written.constData();
    ClassFactory factory;
    EXPECT_EQ(get("OstrelTestLib.CThing", &factory), 0);
    EXPECT_TRUE(factory.create);
    EXPECT_EQ(get("Tests.CLocal", &factory), kClassNotAvailable);
    EXPECT_EQ(unreg(), 0);
    EXPECT_FALSE(guard.files.read("written.reg").contains("OstrelTestLib"));
    ClassRegistry::instance().UnregisterLocal("Tests.CLocal");
    dlclose(handle);
}

} // namespace
