// The shipped example standards and user standards files.
#include "host/results/StandardsLibrary.h"

#include "host/results/Progress.h"
#include "tests/support/Failures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

TEST(StandardsLibrary, ShipsTwoExampleStandardsWithLimitsForEveryKey)
{
    StandardsLibrary library;
    library.LoadBuiltIn();
    const QStringList names = library.ShortNames();
    ASSERT_EQ(names.size(), 2);
    for (int index = 0; index < 2; ++index) {
        const auto standard = library.All()->Item(index);
        EXPECT_TRUE(standard->ShortName().contains(QStringLiteral("EXAMPLE")));
        QStringList keys;
        for (const auto& item : standard->LimitItems()) {
            keys << item->Key();
            EXPECT_TRUE(item->IsLimitSet(0) || item->IsLimitSet(1)) << qPrintable(item->Key());
        }
        for (const char* key : {"SYST", "DIAS", "MAPR", "HART", "CVOL", "DROP", "RATE", "PEAK"})
            EXPECT_TRUE(keys.contains(QLatin1String(key))) << key << " in " << qPrintable(standard->ShortName());
    }
}

TEST(StandardsLibrary, SelectKeepsTheOrderGivenAndSkipsUnknownNames)
{
    StandardsLibrary library;
    library.LoadBuiltIn();
    const auto selection = library.Select({QStringLiteral("EXAMPLE-B"), QStringLiteral("nope"), QStringLiteral("EXAMPLE-A")});
    ASSERT_EQ(selection->Count(), 2);
    EXPECT_EQ(selection->Item(0)->ShortName(), QStringLiteral("EXAMPLE-B"));
    EXPECT_EQ(selection->Item(1)->ShortName(), QStringLiteral("EXAMPLE-A"));
}

TEST(StandardsLibrary, ABadFileFailsNamingItAndChangesNothing)
{
    struct Case {
        const char* name;
        const char* text;
        const char* named; // besides the file's path
    };
    const Case cases[] = {
        {"cut short", "<StandardsLibrary><Standard ShortName=\"X\"><Limit", ""},
        {"a limit that is no number",
         "<StandardsLibrary><Standard ShortName=\"X\"><Limit Key=\"SYST\" Upper=\"nan\"/></Standard></StandardsLibrary>",
         "standard X: the limit SYST Upper=\"nan\" is not a finite number"},
        {"a lower limit above the upper one",
         "<StandardsLibrary><Standard ShortName=\"X\"><Limit Key=\"SYST\" Upper=\"1\" Lower=\"2\"/></Standard></StandardsLibrary>",
         "the limit SYST Lower=\"2\" is above its Upper=\"1\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        StandardsLibrary library;
        library.LoadBuiltIn();
        const QString bad = dir.filePath(QStringLiteral("bad.xml"));
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.text);
        file.close();
        const auto failure = ostrel::testing::errorOf([&] { library.LoadFile(bad); });
        ASSERT_TRUE(failure) << "no failure";
        EXPECT_TRUE(failure->description().contains(bad));
        EXPECT_TRUE(failure->description().contains(QString::fromLatin1(c.named))) << failure->description().toStdString();
        EXPECT_EQ(library.ShortNames().size(), 2);

        auto progress = std::make_shared<Progress>();
        library.LoadFolder(dir.path(), progress);
        ASSERT_EQ(progress->Log().size(), 1u);
        EXPECT_TRUE(progress->Log()[0].text.contains(bad));
        EXPECT_EQ(library.ShortNames().size(), 2);
    }
    StandardsLibrary library;
    EXPECT_THROW(library.LoadText("<Other/>", QStringLiteral("memory")), ComError);
}

TEST(StandardsLibrary, SavedFileLoadsBackAndReplacesStandardsOfTheSameNames)
{
    QTemporaryDir dir;
    StandardsLibrary library;
    library.LoadBuiltIn();
    const QString path = dir.filePath(QStringLiteral("mine.xml"));
    library.SaveFile(path);
    library.LoadFile(path);
    EXPECT_EQ(library.ShortNames().size(), 2);

    StandardsLibrary other;
    other.LoadFile(path);
    EXPECT_EQ(other.All()->Item(0)->LimitItems().size(), library.All()->Item(0)->LimitItems().size());
}
