// Where the product finds its files: the data folder (build tree, an override), libraries by
// file name in the library folder, and the user's files under the XDG base directories.
#include "host/core/AppUtil.h"
#include "host/core/Paths.h"
#include "host/core/RegistryStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

// Sets an environment variable for the life of the object, then restores it.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const QByteArray& value) : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

TEST(Paths, TheBuildTreeIsTheDataFolderUnlessOverridden)
{
    EXPECT_EQ(Paths::DataDir(), AppPath());
    EXPECT_TRUE(QFileInfo::exists(Paths::DataFile(QStringLiteral("OstrelNB4410.mpc"))));
    QTemporaryDir other;
    const EnvironmentGuard data(Paths::kDataDirVariable, QFile::encodeName(other.path()));
    EXPECT_EQ(Paths::DataDir(), other.path() + QLatin1Char('/'));
    EXPECT_EQ(RegistryStore::DefaultMachineFiles(), QStringList()); // nothing shipped there
}

TEST(Paths, LibrariesInTheLibraryFolderAreNamedByFileName)
{
    const QString inFolder = Paths::LibraryDir() + QStringLiteral("libOstrelNB4410.so");
    EXPECT_EQ(Paths::LibraryReference(inFolder), QStringLiteral("libOstrelNB4410.so"));
    EXPECT_EQ(Paths::LibraryFile(QStringLiteral("libOstrelNB4410.so")), inFolder);
    EXPECT_EQ(Paths::LibraryReference(QStringLiteral("/opt/vendor/libOther.so")), QStringLiteral("/opt/vendor/libOther.so"));
    EXPECT_EQ(Paths::LibraryFile(QStringLiteral("/opt/vendor/libOther.so")), QStringLiteral("/opt/vendor/libOther.so"));
    // The library folder is where the host library itself is loaded from.
    EXPECT_TRUE(QFileInfo::exists(Paths::LibraryFile(QStringLiteral("libostrel_core.so"))));
}

TEST(Paths, TheUsersFilesFollowTheXdgBaseDirectories)
{
    QTemporaryDir home;
    const EnvironmentGuard config("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    const EnvironmentGuard data("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    const EnvironmentGuard user("OSTREL_USER_REGISTRY", QByteArray());
    EXPECT_EQ(Paths::UserConfigDir(), home.filePath(QStringLiteral("config/ostrel/")));
    EXPECT_EQ(Paths::UserDataDir(), home.filePath(QStringLiteral("data/ostrel/")));
    EXPECT_EQ(RegistryStore::DefaultUserFile(), home.filePath(QStringLiteral("config/ostrel/user.reg")));
    const EnvironmentGuard named("OSTREL_USER_REGISTRY", "/tmp/elsewhere.reg");
    EXPECT_EQ(RegistryStore::DefaultUserFile(), QStringLiteral("/tmp/elsewhere.reg"));
}

} // namespace
