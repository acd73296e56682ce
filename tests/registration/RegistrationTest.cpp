#include "host/contract/IPlugIn.h"
#include "host/contract/ITestElement.h"
#include "host/core/AppUtil.h"
#include "host/core/Paths.h"
#include "host/core/ClassRegistry.h"
#include "host/core/RegistryStore.h"
#include "host/storage/StorageElement.h"
#include "tests/support/Printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

// The shipped catalogue lists the test classes built so far; without any it cannot load.
int shippedCatalogueEntries()
{
    auto doc = StorageDocument::Create();
    doc->LoadFile(Paths::DataFile("OstrelNB4410.mpc"));
    const StorageElement templates = doc->Root().FirstChild("TemplateData");
    int entries = 0;
    for (int i = 0; i < templates.ChildCount(); ++i)
        entries += templates.Child(i).Name() == "TestElement" ? 1 : 0;
    return entries;
}

TEST(Registration, ThePlugInIsCreatedByItsProgramIdentifier)
{
    RegistryStore::instance().UseDefaultFiles();
    auto key = RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Classes\\OstrelNB4410.CPlugInNB4410");
    ASSERT_TRUE(key) << "registry/classes.reg holds no registration of the plug-in";
    // By file name: the registration stays valid wherever the tree is installed or moved.
    EXPECT_EQ(key->Text("InprocServer32"), "libOstrelNB4410.so");

    auto plugIn = ClassRegistry::instance().CreateAs<IPlugIn>("OstrelNB4410.CPlugInNB4410");
    EXPECT_EQ(plugIn->ID(), "NB-4410");
    EXPECT_EQ(plugIn->Version(), "2.0.0");
    EXPECT_EQ(plugIn->Name(), "NB-4410 NIBP Analyzer");
    EXPECT_FALSE(plugIn->Icon(0, 0).isNull());
}

TEST(Registration, ThePlugInLoadsTheShippedCatalogue)
{
    RegistryStore::instance().UseDefaultFiles();
    auto settings = RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\NB-4410");
    ASSERT_TRUE(settings);
    // No path is shipped: the plug-in's default rule (the data folder's catalogue) finds it.
    EXPECT_TRUE(settings->Text("Configuration").isEmpty()) << settings->Text("Configuration").toStdString();

    auto plugIn = ClassRegistry::instance().CreateAs<IPlugIn>("OstrelNB4410.CPlugInNB4410");
    const int entries = shippedCatalogueEntries();
    if (entries == 0) {
        try {
            plugIn->Initialize(nullptr);
            FAIL() << "an empty catalogue was accepted";
        } catch (const ComError& e) {
            EXPECT_EQ(e.number(), hr(0x8004A22Cu));
        }
        return;
    }
    plugIn->Initialize(nullptr);
    EXPECT_EQ(plugIn->Flags(), 1);
    auto tests = plugIn->Tests();
    ASSERT_EQ(tests->Count(), entries);
    for (int i = 0; i < tests->Count(); ++i) {
        const auto prototype = tests->Item(i);
        EXPECT_FALSE(prototype->Info()->Name().isEmpty()) << prototype->TestID();
        EXPECT_FALSE(plugIn->Icon(prototype->TestID(), 0).isNull()) << prototype->TestID();
        const auto element = plugIn->CreateTest(prototype->ID());
        EXPECT_NE(element, prototype);
        EXPECT_EQ(element->TestID(), prototype->TestID());
        element->Terminate();
    }
}

// A moved data folder: the registrations and the catalogue are found there, by the default rule.
TEST(Registration, AMovedDataFolderIsUsedWhole)
{
    QTemporaryDir moved;
    QDir().mkpath(moved.filePath("registry"));
    for (const QString& file : RegistryStore::DefaultMachineFiles())
        ASSERT_TRUE(QFile::copy(file, moved.filePath("registry/" + QFileInfo(file).fileName())));
    ASSERT_TRUE(QFile::copy(Paths::DataFile("OstrelNB4410.mpc"), moved.filePath("OstrelNB4410.mpc")));
    qputenv(Paths::kDataDirVariable, QFile::encodeName(moved.path()));
    RegistryStore::instance().UseDefaultFiles();
    const int entries = shippedCatalogueEntries();
    ASSERT_GT(entries, 0);
    {
        auto plugIn = ClassRegistry::instance().CreateAs<IPlugIn>("OstrelNB4410.CPlugInNB4410");
        plugIn->Initialize(nullptr);
        EXPECT_EQ(plugIn->Tests()->Count(), entries);
    }
    // Without the catalogue there, the plug-in does not fall back on the build tree's.
    QFile::remove(moved.filePath("OstrelNB4410.mpc"));
    auto plugIn = ClassRegistry::instance().CreateAs<IPlugIn>("OstrelNB4410.CPlugInNB4410");
    EXPECT_THROW(plugIn->Initialize(nullptr), ComError);
    qunsetenv(Paths::kDataDirVariable);
    RegistryStore::instance().UseDefaultFiles();
}

TEST(Registration, TheDataLinkFindsTheInstrumentsPort)
{
    RegistryStore::instance().UseDefaultFiles();
    auto port = RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\DataLink\\Ports\\1");
    ASSERT_TRUE(port);
    EXPECT_EQ(port->Text("Instrument"), "NB-4410");
}

} // namespace
