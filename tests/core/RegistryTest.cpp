#include "host/core/RegistryFile.h"
#include "host/core/RegistryStore.h"
#include "tests/support/Failures.h"
#include "tests/support/RegistryGuard.h"

#include <gtest/gtest.h>

using namespace ostrel;
using ostrel::testing::RegistryGuard;

namespace {

const QByteArray kMachine = R"(Windows Registry Editor Version 5.00

; presets shipped with the plug-in
[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410]
"Configuration"="C:\\Ostrel\\OstrelNB4410.mpc"
"Quote"="say \"hi\""
@="default"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Adult\2]
"Name"="20600::Normal"
"ID"=dword:00000002

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Adult\1]
"Name"="20601::High"
"ID"=dword:FFFFFFFF
"Data"="120;80;;72"
)";

QString errorOf(const QByteArray& text)
{
    try {
        RegistryFile::Parse(text, QStringLiteral("bad.reg"));
    } catch (const ComError& e) {
        EXPECT_EQ(e.number(), kRegistryFileInvalid);
        return e.description();
    }
    return QStringLiteral("accepted");
}

TEST(RegistryFile, ReadsKeysValuesAndEscapes)
{
    RegistryGuard guard(kMachine, false);
    auto key = RegistryStore::instance().Open(Hive::LocalMachine, "software\\HALVARD\\Ostrel\\nb-4410");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Text("configuration"), "C:\\Ostrel\\OstrelNB4410.mpc");
    EXPECT_EQ(key->Text("Quote"), "say \"hi\"");
    EXPECT_EQ(key->Text(""), "default");
    EXPECT_TRUE(key->Value("Missing").isEmpty());

    auto adult = RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\NB-4410\\Presets\\Adult");
    ASSERT_TRUE(adult);
    ASSERT_EQ(adult->SubKeyCount(), 2);
    // Sub-keys come in file order, not in name order.
    EXPECT_EQ(adult->SubKey(1)->Name(), "2");
    EXPECT_EQ(adult->SubKey(2)->Value("ID"), Variant(std::int32_t{-1}));
    EXPECT_EQ(adult->SubKey(1)->Value("ID"), Variant(std::int32_t{2}));
    EXPECT_FALSE(adult->SubKey(0));
    EXPECT_FALSE(adult->SubKey(3));
    EXPECT_EQ(adult->SubKey("1")->Text("Data"), "120;80;;72");
    EXPECT_FALSE(RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Nobody"));
}

TEST(RegistryFile, RefusesMalformedTextNamingTheLine)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {"", "line 1"},
        {"REGEDIT4\n", "line 1"},
        {"Windows Registry Editor Version 5.00\n\"A\"=\"b\"\n", "line 2"},
        {"Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software]\n", "line 2"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\n", "line 2"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\\\X]\n", "line 2"},
        {"Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=\"unterminated\n", "line 4"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=dword:123456789\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=dword:12g4\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=dword:\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=hex:01,02\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=\"x\" junk\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=\"c:\\temp\"\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\nA=\"b\"\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE]\n\"A\"=\"b\"\n", "line 3"},
        {"Windows Registry Editor Version 5.00\n[-HKEY_LOCAL_MACHINE\\S]\n", "line 2"},
    };
    for (const auto& [text, line] : cases) {
        const QString error = errorOf(text);
        EXPECT_TRUE(error.contains("bad.reg")) << qPrintable(error);
        EXPECT_TRUE(error.contains(QLatin1String(line))) << text.constData() << " -> " << qPrintable(error);
    }
}

TEST(RegistryFile, AcceptsWindowsLineEndsAndUtf16)
{
    QByteArray crlf = kMachine;
    crlf.replace("\n", "\r\n");
    auto root = RegistryFile::Parse(crlf, "crlf.reg");
    EXPECT_TRUE(root->findChild("Software"));

    const QString text = QString::fromUtf8(kMachine);
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    root = RegistryFile::Parse(utf16, "utf16.reg");
    EXPECT_TRUE(root->findChild("Software"));
}

TEST(RegistryFile, FormatReadsBackTheSameTree)
{
    auto root = RegistryFile::Parse(kMachine, "m.reg");
    auto again = RegistryFile::Parse(RegistryFile::Format(*root), "again.reg");
    EXPECT_EQ(RegistryFile::Format(*again), RegistryFile::Format(*root));
    auto key = again->findChild("Software")->findChild("Halvard")->findChild("Ostrel")->findChild("NB-4410");
    ASSERT_TRUE(key);
    EXPECT_EQ(*key->findValue("Quote"), Variant("say \"hi\""));
    EXPECT_EQ(*key->findValue(""), Variant("default"));
}

TEST(RegistryStore, AFaultyFileLoadsNothingAndNamesTheFile)
{
    RegistryGuard guard(kMachine, false);
    const QString bad = guard.files.write("zz-bad.reg", "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\X]\n\"A\"=\n");
    RegistryStore::instance().UseFiles({guard.files.path("machine.reg"), bad}, guard.files.path("user.reg"));
    const auto error = ostrel::testing::errorOf([&] { RegistryStore::instance().Open(Hive::LocalMachine, "Software"); });
    ASSERT_TRUE(error) << "a faulty file was accepted";
    EXPECT_TRUE(error->description().contains("zz-bad.reg")) << qPrintable(error->description());
    EXPECT_TRUE(error->description().contains("line 3")) << qPrintable(error->description());
    // Once mended, the store reads everything again.
    guard.files.write("zz-bad.reg", "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\X]\n\"A\"=\"1\"\n");
    EXPECT_TRUE(RegistryStore::instance().Open(Hive::LocalMachine, "X"));
    EXPECT_TRUE(RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Halvard"));
}

TEST(RegistryStore, WritesGoToTheUserFileAndOverrideTheMachineData)
{
    RegistryGuard guard(kMachine, false);
    auto key = RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\NB-4410");
    ASSERT_TRUE(key);
    key->SetValue("Configuration", QString("/opt/other.mpc"));
    EXPECT_EQ(key->Text("Configuration"), "/opt/other.mpc");
    RegistryStore::instance().SetValue(Hive::LocalMachine, "Software\\New\\Key", "Count", std::int32_t{7});

    // The machine file is untouched; the user file holds exactly what was written.
    EXPECT_EQ(guard.files.read("machine.reg"), kMachine);
    const QByteArray user = guard.files.read("user.reg");
    EXPECT_TRUE(user.contains("\"Configuration\"=\"/opt/other.mpc\"")) << user.constData();
    EXPECT_TRUE(user.contains("\"Count\"=dword:00000007")) << user.constData();
    EXPECT_FALSE(user.contains("Quote"));

    RegistryStore::instance().Reload();
    EXPECT_EQ(RegistryStore::instance().Open(Hive::LocalMachine, "Software\\Halvard\\Ostrel\\NB-4410")->Text("Configuration"),
              "/opt/other.mpc");
    EXPECT_EQ(RegistryStore::instance().Open(Hive::LocalMachine, "Software\\New\\Key")->Value("Count"),
              Variant(std::int32_t{7}));

    RegistryStore::instance().DeleteKey(Hive::LocalMachine, "Software\\New");
    EXPECT_FALSE(RegistryStore::instance().Open(Hive::LocalMachine, "Software\\New\\Key"));
}

} // namespace
