#include "host/core/ErrorService.h"
#include "host/core/LanguageService.h"
#include "host/widgets/WidgetTranslator.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"
#include "tests/support/Failures.h"
#include "tests/support/TempFiles.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

ComError caught(const std::function<void()>& fn)
{
    const std::optional<ComError> error = ostrel::testing::errorOf(fn);
    EXPECT_TRUE(error) << "nothing was raised";
    return error.value_or(ComError{});
}

TEST(ErrorService, RaiseGivesTheHostTextAndTheSeverity)
{
    const ComError e = caught([] {
        ErrorService::instance().Raise("NB-4410", hr(0x8004A229u), "VessorNB4410.CPlugInNB4410", 4);
    });
    EXPECT_EQ(e.number(), hr(0x8004A229u));
    EXPECT_EQ(e.source(), "VessorNB4410.CPlugInNB4410");
    EXPECT_EQ(e.severity(), 4);
    EXPECT_FALSE(e.description().isEmpty());
    for (std::uint32_t n : {0x8004A22Cu, 0x8004A233u, 0x8004A28Du, 0x8004A28Eu, 0x8004A3C2u, 0x8004A3C3u, 0x8004A3EBu,
                            0x8004A3ECu, 0x8004A3FFu, 0x8004A400u, 0x8004A4EEu, 0x8004A424u, 0x8004A425u})
        EXPECT_FALSE(ErrorService::HostText(hr(n)).isEmpty()) << std::hex << n;
    const ComError unknown = caught([] { ErrorService::instance().Raise("NB-4410", 1234, "X.Y", 2); });
    EXPECT_TRUE(unknown.description().contains("0x000004D2")) << qPrintable(unknown.description());
}

TEST(ErrorService, RaiseWithNumberZeroRaisesTheHandledFailureAgain)
{
    const ComError e = caught([] {
        try {
            throw ComError(hr(0x8004A468u), "NB4410VTI.CNB4410VTI", "driver text", 2);
        } catch (...) {
            ErrorService::instance().Raise("NB-4410", 0, "", 1);
        }
    });
    EXPECT_EQ(e.number(), hr(0x8004A468u));
    EXPECT_EQ(e.source(), "NB4410VTI.CNB4410VTI");
    EXPECT_EQ(e.description(), "driver text");
    // Outside a catch block there is nothing to raise again: a failure all the same.
    EXPECT_EQ(caught([] { ErrorService::instance().Raise("NB-4410", 0, "", 1); }).number(), kE_Fail);
}

TEST(ErrorService, PassOnLogsAndKeepsAnExistingSource)
{
    ErrorService::instance().ClearLog();
    const ComError kept = caught([] {
        try {
            throw ComError(42, "Inner.Source", "inner", 1);
        } catch (...) {
            ErrorService::instance().PassOn("Outer.Source");
        }
    });
    EXPECT_EQ(kept.source(), "Inner.Source");
    const ComError given = caught([] {
        try {
            throw std::runtime_error("plain");
        } catch (...) {
            ErrorService::instance().PassOn("Outer.Source");
        }
    });
    EXPECT_EQ(given.source(), "Outer.Source");
    EXPECT_EQ(given.number(), kE_Fail);
    EXPECT_EQ(given.description(), "plain");
    ASSERT_EQ(ErrorService::instance().Log().size(), 2u);

    const ComError reported = caught([] {
        try {
            throw ComError(7, "Deep", "Out of memory", 1);
        } catch (...) {
            ErrorService::instance().ReportFromError("NB-4410", "VessorNB4410.CPlugInNB4410", 3);
        }
    });
    EXPECT_EQ(reported.number(), 7);
    EXPECT_EQ(reported.source(), "VessorNB4410.CPlugInNB4410");
    EXPECT_EQ(reported.severity(), 3);
}

TEST(Steps, AFailingStepIsReportedAndTheNextRuns)
{
    int ran = 0;
    EXPECT_FALSE(runStep("first", [&] { throw ComError(1, "s", "d"); }));
    EXPECT_TRUE(runStep("second", [&] { ++ran; }));
    EXPECT_EQ(ran, 1);
}

class LanguageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.write("Language/NB-4410.lng", "; translations\n20000=NIBP-Analysator\n22000=Fehler %%1\\r\\n%%2\n"
                                             "7=&Anwenden\n3400=Error #%%1\\\\n%%2\n  \nbad line\n");
        files.write("Language/default.lng", "22000=Empty module %%1\n");
        LanguageService::instance().SetLanguageFolder(files.path("Language"));
    }
    void TearDown() override { LanguageService::instance().SetLanguageFolder(QString()); }
    ostrel::testing::TempFiles files;
};

TEST_F(LanguageFixture, TranslatesFromTheModuleFileElseTheDefault)
{
    auto& lng = LanguageService::instance();
    EXPECT_EQ(lng.Translate("NB-4410", "20000::NB-4410 NIBP Analyzer"), "NIBP-Analysator");
    EXPECT_EQ(lng.Translate("NB-4410", "20001::Not translated %%1", {Variant(std::int32_t{5})}), "Not translated 5");
    EXPECT_EQ(lng.Translate("NB-4410", "22000::x", {Variant("a"), Variant("b")}), "Fehler a\r\nb");
    EXPECT_EQ(lng.Translate("", "22000::x", {Variant("a")}), "Empty module a");
    EXPECT_EQ(lng.Translate("Other", "22000::Default %%1", {Variant("a")}), "Default a");
    EXPECT_EQ(lng.Translate("NB-4410", "3400::x", {Variant(std::int32_t{1}), Variant(std::int32_t{2})}), "Error #1\\n2");
    EXPECT_EQ(lng.Translate("NB-4410", "plain text"), "plain text");
}

TEST(LanguageService, FillsParametersInOrderAndOnlyOnce)
{
    auto& lng = LanguageService::instance();
    const VariantArray params{Variant("%%2"), Variant(1.5), Variant(), Variant(true)};
    EXPECT_EQ(lng.Translate("NB-4410", "1::%%1|%%2|%%3|%%4|%%5|%%0"), "%%1|%%2|%%3|%%4|%%5|%%0");
    EXPECT_EQ(lng.Translate("NB-4410", "1::%%1|%%2|%%3|%%4|%%5|%%0", params), "%%2|1.5||True|%%5|%%0");
    VariantArray ten;
    for (int i = 1; i <= 10; ++i)
        ten.append(Variant(std::int32_t{i * 100}));
    EXPECT_EQ(lng.Translate("NB-4410", "1::%%10 %%1", ten), "1000 100");
    EXPECT_EQ(lng.Translate("NB-4410", "22015::Unknown error"), "Unknown error");
    EXPECT_EQ(lng.Translate("NB-4410", "22015::a::b"), "a::b");
}

TEST_F(LanguageFixture, TranslatesTheCaptionsOfAWidgetTree)
{
    QWidget root;
    root.setWindowTitle("20000::Window");
    auto* label = new QLabel("20001::Operator:", &root);
    label->setToolTip("20000::tip");
    auto* button = new QPushButton("7::&Apply", &root);
    auto* group = new QGroupBox("20002::Settings", &root);
    auto* tabs = new QTabWidget(&root);
    tabs->addTab(new QWidget, "20003::First");
    auto* action = new QAction("20004::Run", &root);
    root.addAction(action);
    auto* plain = new QLabel("2.01", &root);
    auto* edit = new QLineEdit(&root);
    edit->setPlaceholderText("20005::Short name");

    WidgetTranslator::Translate(&root, "NB-4410");
    EXPECT_EQ(root.windowTitle(), "NIBP-Analysator");
    EXPECT_EQ(label->text(), "Operator:");
    EXPECT_EQ(label->toolTip(), "NIBP-Analysator");
    EXPECT_EQ(button->text(), "&Anwenden");
    EXPECT_EQ(group->title(), "Settings");
    EXPECT_EQ(tabs->tabText(0), "First");
    EXPECT_EQ(action->text(), "Run");
    EXPECT_EQ(plain->text(), "2.01");
    EXPECT_EQ(edit->placeholderText(), "Short name");
}

TEST(MessageService, TheDefaultSinkConfirmsNothing)
{
    auto previous = MessageService::instance().SetSink(nullptr);
    EXPECT_FALSE(MessageService::instance().Confirm("Abort the run?", "Ostrel"));
    MessageService::instance().Show(MessageIcon::Information, "printed to standard error", "");
    MessageService::instance().SetSink(previous);
}

} // namespace
