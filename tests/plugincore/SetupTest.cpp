#include "host/core/AppUtil.h"
#include "host/core/ComError.h"
#include "plugin/core/CPlugInSetup.h"
#include "plugin/core/CPropertyBag.h"
#include "tests/support/Failures.h"
#include "tests/support/RegistryGuard.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace nb4410;
using ostrel::testing::RegistryGuard;

namespace {

const QString kDefaultLngPath = AppPath() + "Language";
const QString kDefaultConfigFile = AppPath() + "OstrelNB4410.mpc";

HResult failureOf(const std::function<void()>& fn, int* severity = nullptr)
{
    const std::optional<ComError> error = ostrel::testing::errorOf(fn);
    if (!error)
        return 0;
    EXPECT_EQ(error->source(), "VessorNB4410.CPlugInSetup");
    if (severity)
        *severity = error->severity();
    return error->number();
}

TEST(PlugInSetup, SettingsTextRestoresBothFields)
{
    const std::pair<QString, QString> cases[] = {
        {"/opt/lang", "/opt/cat.mpc"},
        {"", ""},
        {QString::fromUtf8("/tmp/Sprachen ü ✓"), "C:\\Program Files\\cat.mpc"},
        {"with\nnew line\0 and nul", "12:34:"},
    };
    for (const auto& [lng, config] : cases) {
        CPlugInSetup writer;
        writer.SetLngPath(lng);
        writer.SetConfigFile(config);
        const QString text = writer.Settings();
        CPlugInSetup reader;
        reader.SetSettings(text);
        EXPECT_EQ(reader.LngPath(), lng);
        EXPECT_EQ(reader.ConfigFile(), config);
        EXPECT_EQ(reader.Settings(), text);
    }
}

TEST(PlugInSetup, DefaultsAreLeftOutAndReadBack)
{
    CPlugInSetup writer;
    writer.SetLngPath(kDefaultLngPath);
    writer.SetConfigFile(kDefaultConfigFile);
    const QString text = writer.Settings();
    CPropertyBag bag;
    ASSERT_TRUE(bag.SetContents(text.toLatin1()));
    EXPECT_EQ(bag.ReadProperty("setup id"), "NB-4410 Plug-In setup");
    EXPECT_EQ(bag.ReadProperty("lngpath", "absent"), "absent");
    EXPECT_EQ(bag.ReadProperty("configfile", "absent"), "absent");
    EXPECT_FALSE(text.contains("lngpath"));

    CPlugInSetup reader;
    reader.SetLngPath("before");
    reader.SetSettings(text);
    EXPECT_EQ(reader.LngPath(), kDefaultLngPath);
    EXPECT_EQ(reader.ConfigFile(), kDefaultConfigFile);
}

TEST(PlugInSetup, SettingsOfAnotherKindAreRefusedAndChangeNothing)
{
    CPropertyBag other;
    other.WriteProperty("setup id", "Another plug-in");
    other.WriteProperty("lngpath", "/x");
    const QString texts[] = {"", "garbage", QString::fromLatin1(other.Contents()), QString::fromUtf8("OPB1\n✓"),
                             "OPB1\n8:setup id21:NB-4410 Plug-In setup", "OPB1\n99:setup id"};
    for (const QString& text : texts) {
        CPlugInSetup setup;
        setup.SetLngPath("kept");
        setup.SetConfigFile("kept too");
        int severity = 0;
        EXPECT_EQ(failureOf([&] { setup.SetSettings(text); }, &severity), hr(0x8004A28Du)) << qPrintable(text);
        EXPECT_EQ(severity, 1);
        EXPECT_EQ(setup.LngPath(), "kept");
        EXPECT_EQ(setup.ConfigFile(), "kept too");
    }
    EXPECT_FALSE(CPlugInSetup().HasDialog());
    EXPECT_FALSE(CPlugInSetup().CreateDialog());
}

TEST(PlugInSetup, RegLoadReadsTheCatalogueOrItsDefault)
{
    {
        RegistryGuard guard("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\NB-4410]\n"
                            "\"Configuration\"=\"/data/cat.mpc\"\n",
                            false);
        CPlugInSetup setup;
        setup.Initialize();
        EXPECT_EQ(setup.ConfigFile(), "/data/cat.mpc");
        EXPECT_EQ(setup.LngPath(), ""); // not stored in the registry
    }
    for (const QByteArray& value : {QByteArray(""), QByteArray("\"Configuration\"=\"\"\n")}) {
        RegistryGuard guard("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\NB-4410]\n"
                                + value,
                            false);
        CPlugInSetup setup;
        setup.RegLoad(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\NB-4410");
        EXPECT_EQ(setup.ConfigFile(), kDefaultConfigFile);
    }
}

TEST(PlugInSetup, AMissingKeyFailsRegLoadButNotInitialize)
{
    RegistryGuard guard("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\Halvard]\n", false);
    CPlugInSetup setup;
    int severity = 0;
    EXPECT_EQ(failureOf([&] { setup.RegLoad(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\NB-4410"); }, &severity),
              hr(0x8004A28Eu));
    EXPECT_EQ(severity, 3);
    EXPECT_NO_THROW(setup.Initialize());
    EXPECT_EQ(setup.ConfigFile(), "");
}

TEST(PlugInSetup, AFaultyRegistryFileIsPassedOnFromRegLoad)
{
    RegistryGuard guard("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=bogus\n", false);
    CPlugInSetup setup;
    const auto error = ostrel::testing::errorOf([&] { setup.RegLoad(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\NB-4410"); });
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->description().contains("machine.reg")) << qPrintable(error->description());
}

} // namespace
