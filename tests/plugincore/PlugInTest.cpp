#include "FakeElements.h"
#include "host/core/ClassTable.h"
#include "host/core/ErrorService.h"
#include "host/core/LanguageService.h"
#include "plugin/core/CPlugInNB4410.h"
#include "tests/support/Failures.h"
#include "tests/support/RegistryGuard.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace nb4410;
using namespace nb4410::testing;
using ostrel::testing::RegistryGuard;

namespace {

const ClassRegistrar kElement("Tests.CElement", {&createObject<CElement>, nullptr});
const ClassRegistrar kGroup("Tests.CGroup", {&createObject<CGroup>, nullptr});
const ClassRegistrar kBroken("Tests.CBrokenElement", {&createObject<CBrokenElement>, nullptr});
const ClassRegistrar kNotAnElement("Tests.CNotAnElement", {&createObject<CNotAnElement>, nullptr});

QByteArray settingsKey(const QString& configuration)
{
    return QStringLiteral("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\NB-4410]\n"
                          "\"Configuration\"=\"%1\"\n")
        .arg(configuration)
        .toUtf8();
}

QByteArray catalogue(const QByteArray& entries)
{
    return "<?xml version=\"1.0\"?>\n<TestCatalogue><TemplateData>" + entries + "</TemplateData></TestCatalogue>";
}

struct PlugInFixture : ::testing::Test {
    // A plug-in initialised from a catalogue of these entries; the failure of Initialize, if any.
    std::optional<ComError> initialise(const QByteArray& catalogueText)
    {
        const QString path = files.write("catalogue.mpc", catalogueText);
        guard.reset(); // the old guard restores the defaults when it goes
        guard = std::make_unique<RegistryGuard>(settingsKey(path), false);
        return ostrel::testing::errorOf([this] { plugIn.Initialize(nullptr); });
    }
    ComError failureOf(const std::function<void()>& fn)
    {
        const std::optional<ComError> error = ostrel::testing::errorOf(fn);
        if (!error)
            ADD_FAILURE() << "nothing failed";
        return error.value_or(ComError{});
    }

    ostrel::testing::TempFiles files;
    std::unique_ptr<RegistryGuard> guard;
    CPlugInNB4410 plugIn;
};

TEST_F(PlugInFixture, IdentityBeforeAndAfterInitialize)
{
    EXPECT_EQ(plugIn.ID(), "NB-4410");
    EXPECT_EQ(plugIn.Name(), "NB-4410 NIBP Analyzer");
    EXPECT_EQ(plugIn.Version(), "2.0.0");
    EXPECT_EQ(plugIn.Flags(), 0);
    EXPECT_FALSE(plugIn.Setup());
    EXPECT_TRUE(plugIn.ControlPanel().isEmpty());
    EXPECT_FALSE(plugIn.PlugInMenu());
    EXPECT_FALSE(plugIn.CreateDUTData());
    for (auto call : {std::function<void()>([&] { plugIn.Tests(); }), std::function<void()>([&] { plugIn.CreateTest(300); })}) {
        const ComError e = failureOf(call);
        EXPECT_EQ(e.number(), hr(0x8004A229u));
        EXPECT_EQ(e.severity(), 4);
        EXPECT_EQ(e.source(), "VessorNB4410.CPlugInNB4410");
    }

    ASSERT_FALSE(initialise(catalogue(R"(<TestElement ClassName="Tests.CElement" ID="300"/>)")));
    EXPECT_EQ(plugIn.Flags(), 1);
    EXPECT_EQ(plugIn.Tests()->Count(), 1);
}

TEST_F(PlugInFixture, IdsAreTheLeadingNumberRoundedHalfToEven)
{
    ASSERT_FALSE(initialise(catalogue(R"(
        <TestElement ClassName="Tests.CElement" ID="300.5"/>
        <TestElement ClassName="Tests.CElement" ID="300.6"/>
        <TestElement ClassName="Tests.CElement" ID="110abc"/>
        <TestElement ClassName="tests.celement" ID=" 401.5 "/>)")));
    auto tests = plugIn.Tests();
    ASSERT_EQ(tests->Count(), 4);
    const std::int32_t expected[] = {300, 301, 110, 402};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tests->Item(i)->TestID(), expected[i]);
        EXPECT_EQ(tests->Item(i)->ID(), expected[i]);
        EXPECT_EQ(tests->Item(i)->PlugInID(), "NB-4410");
    }
}

TEST_F(PlugInFixture, CreateTestHandsOutDistinctClones)
{
    ASSERT_FALSE(initialise(catalogue(R"(<TestElement ClassName="Tests.CElement" ID="300"><Name LID="20902::Leak Test"/></TestElement>)")));
    auto prototype = std::dynamic_pointer_cast<CElement>(plugIn.Tests()->Find(300));
    auto a = plugIn.CreateTest(300);
    auto b = plugIn.CreateTest(300);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_NE(a, prototype);
    EXPECT_EQ(std::dynamic_pointer_cast<CElement>(a)->clonedFrom, prototype.get());
    a->Info()->SetName("changed");
    EXPECT_EQ(b->Info()->Name(), "Leak Test");
    EXPECT_EQ(prototype->Info()->Name(), "Leak Test");
    EXPECT_EQ(plugIn.Tests()->Count(), 1);

    const ComError missing = failureOf([&] { plugIn.CreateTest(400); });
    EXPECT_EQ(missing.number(), hr(0x8004A233u));
    EXPECT_EQ(missing.severity(), 1);
    EXPECT_EQ(missing.source(), "VessorNB4410.CPlugInNB4410");
}

TEST_F(PlugInFixture, ACatalogueOfOtherTagsIsEmpty)
{
    ASSERT_FALSE(initialise(catalogue(R"(<Comment/><Other ClassName="Tests.CElement" ID="300"/>)")));
    EXPECT_EQ(plugIn.Tests()->Count(), 0);
    for (std::int32_t id : {0, 110, 300, 400})
        EXPECT_EQ(failureOf([&] { plugIn.CreateTest(id); }).number(), hr(0x8004A233u)) << id;
}

TEST_F(PlugInFixture, InvalidCataloguesLeaveThePlugInUninitialised)
{
    const std::pair<QByteArray, std::uint32_t> cases[] = {
        {"<TestCatalogue/>", 0x8004A22Cu},
        {catalogue(""), 0x8004A22Cu},
        {"<TestCatalogue><TemplateData>text only</TemplateData></TestCatalogue>", 0x8004A22Cu},
        {catalogue(R"(<TestElement ID="300"/>)"), 0x8004A22Cu},
        {catalogue(R"(<TestElement ClassName="Tests.CElement"/>)"), 0x8004A22Cu},
        {catalogue(R"(<TestElement ClassName="Tests.CElement" ID=""/>)"), 0x8004A22Cu},
        {catalogue(R"(<TestElement ClassName="Tests.Unknown" ID="300"/>)"), 0x80040154u},
        {catalogue(R"(<TestElement ClassName="Tests.CNotAnElement" ID="300"/>)"), 0x80004002u},
        {catalogue(R"(<TestElement ClassName="Tests.CBrokenElement" ID="300"/>)"), 0x80047737u},
        {catalogue(R"(<TestElement ClassName="Tests.CElement" ID="1e12"/>)"), static_cast<std::uint32_t>(kErrOverflow)},
        {catalogue(R"(<TestElement ClassName="Tests.CGroup" ID="1"><TestElement ID="2"/></TestElement>)"), 0x8004A22Cu},
    };
    for (const auto& [text, number] : cases) {
        const auto failure = initialise(text);
        ASSERT_TRUE(failure) << text.constData();
        EXPECT_EQ(static_cast<std::uint32_t>(failure->number()), number) << text.constData();
        EXPECT_EQ(failure->severity(), 3) << text.constData();
        // A failure of the host's element numbers keeps the source that raised it.
        EXPECT_EQ(failure->source(), number == 0x80047737u ? "Tests.CBrokenElement" : "VessorNB4410.CPlugInNB4410")
            << text.constData();
        EXPECT_EQ(plugIn.Flags(), 0);
        EXPECT_EQ(failureOf([&] { plugIn.Tests(); }).number(), hr(0x8004A229u));
    }
    // A file that is no XML, or no file at all, fails Initialize too.
    EXPECT_TRUE(initialise("<TestCatalogue><TemplateData>"));
    EXPECT_EQ(plugIn.Flags(), 0);
}

TEST_F(PlugInFixture, GroupsHoldTheirElementsAndFindSearchesThem)
{
    ASSERT_FALSE(initialise(catalogue(R"(
        <TestElement ClassName="Tests.CGroup" ID="1">
          <Name LID="20950::Group"/>
          <TestElement ClassName="Tests.CElement" ID="110"/>
          <TestElement ClassName="Tests.CGroup" ID="2"><TestElement ClassName="Tests.CElement" ID="120"/></TestElement>
        </TestElement>
        <TestElement ClassName="Tests.CElement" ID="300">
          <TestElement ClassName="Tests.CElement" ID="999"/>
        </TestElement>)")));
    auto tests = plugIn.Tests();
    EXPECT_EQ(tests->Count(), 2);
    EXPECT_EQ(tests->Find(120)->TestID(), 120);
    EXPECT_EQ(tests->Find(1)->Info()->Name(), "Group");
    EXPECT_TRUE(plugIn.CreateTest(110));
    // Children of an element that is no group are not built.
    EXPECT_FALSE(tests->Find(999));
}

TEST_F(PlugInFixture, GroupsNestedTooDeeplyAreRefused)
{
    QByteArray nested;
    for (int depth = 0; depth < 100; ++depth)
        nested += "<TestElement ClassName=\"Tests.CGroup\" ID=\"" + QByteArray::number(depth) + "\">";
    for (int depth = 0; depth < 100; ++depth)
        nested += "</TestElement>";
    const auto failure = initialise(catalogue(nested));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number(), hr(0x8004A22Cu));
    EXPECT_EQ(plugIn.Flags(), 0);
}

TEST_F(PlugInFixture, InfoTextsAreResolvedLanguageTexts)
{
    files.write("Language/NB-4410.lng", "20901=Parameter übersetzt\n");
    LanguageService::instance().SetLanguageFolder(files.path("Language"));
    const auto failure = initialise(catalogue(R"(
        <TestElement ClassName="Tests.CElement" ID="300">
          <Description LID="20903::Measures %%1 the leak."/>
          <Parameter LID="20901::Parameter"/>
          <Parameter LID="20904::Second parameter, unused"/>
          <Type LID="20900::Leak Test"/>
        </TestElement>
        <TestElement ClassName="Tests.CElement" ID="400"/>)"));
    LanguageService::instance().SetLanguageFolder(QString());
    ASSERT_FALSE(failure);
    auto info = plugIn.Tests()->Find(300)->Info();
    EXPECT_EQ(info->Type(), "Leak Test");
    EXPECT_EQ(info->Parameter(), QString::fromUtf8("Parameter übersetzt"));
    EXPECT_EQ(info->Name(), "");
    EXPECT_EQ(info->Description(), "Measures %%1 the leak.");
    auto bare = plugIn.Tests()->Find(400)->Info();
    EXPECT_EQ(bare->Type() + bare->Parameter() + bare->Name() + bare->Description(), "");
}

TEST_F(PlugInFixture, ReleasingThePlugInTerminatesThePrototypes)
{
    std::shared_ptr<CElement> prototype;
    {
        CPlugInNB4410 local;
        const QString path = files.write("c.mpc", catalogue(R"(<TestElement ClassName="Tests.CElement" ID="300"/>)"));
        RegistryGuard registry(settingsKey(path), false);
        local.Initialize(nullptr);
        prototype = std::dynamic_pointer_cast<CElement>(local.Tests()->Item(0));
        EXPECT_EQ(prototype->terminateCalls, 0);
    }
    EXPECT_EQ(prototype->terminateCalls, 1);
}

TEST(PlugInIcons, PicturesFollowTheTable)
{
    CPlugInNB4410 plugIn;
    struct Case {
        std::int32_t id, size;
        int width; // 0: no picture
    };
    const Case cases[] = {
        {0, 0, 16},   {0, 1, 0},    {140, 0, 16}, {110, 1, 32}, {120, 0, 16}, {130, 1, 32}, {200, 0, 16},
        {200, 1, 32}, {300, 0, 16}, {300, 1, 32}, {400, 0, 16}, {400, 1, 32}, {150, 0, 0},  {300, 2, 0},
        {300, -1, 0}, {-1, 0, 0},
    };
    for (const auto& c : cases) {
        const QImage image = plugIn.Icon(c.id, c.size);
        EXPECT_EQ(image.isNull(), c.width == 0) << c.id << "/" << c.size;
        if (c.width) {
            EXPECT_EQ(image.width(), c.width) << c.id;
            EXPECT_EQ(image.height(), 16) << c.id;
            EXPECT_EQ(image.format(), QImage::Format_Indexed8) << c.id;
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << c.id; // the corners are see-through
        }
    }
    EXPECT_EQ(plugIn.Icon(140, 0), plugIn.Icon(110, 0));
    EXPECT_NE(plugIn.Icon(300, 0), plugIn.Icon(400, 0));
}

} // namespace
