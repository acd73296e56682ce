// The editors' own texts: each help text is a numbered text the language file translates, and
// each value box names its own range.
#include "BPRegistry.h"

#include "host/core/LanguageService.h"
#include "host/run/XHelpText.h"
#include "plugin/editors/XConfigCuffVolume.h"
#include "plugin/editors/XConfigIBP.h"
#include "plugin/editors/XConfigLeak.h"
#include "plugin/editors/XConfigOverPressure.h"
#include "plugin/editors/XConfigPBP.h"
#include "tests/support/TempFiles.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace nb4410;
using ostrel::LanguageService;

namespace {

struct EditorCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    const char* translation; // what the language file makes of its help text
};

std::ostream& operator<<(std::ostream& out, const EditorCase& c) { return out << c.name; }

template <class TEditor>
std::unique_ptr<QWidget> make()
{
    return std::make_unique<TEditor>();
}

class TranslatedTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.write("Language/NB-4410.lng", "20290=IBP-Hilfe\n20291=PBP-Hilfe\n20292=Leck-Hilfe\n20293=Ueberdruck-Hilfe\n"
                                             "20294=Manschetten-Hilfe\n20295=Bereich: 0 s - 300 s.\n20282=Erwachsener\n");
        LanguageService::instance().SetLanguageFolder(files.path("Language"));
    }
    void TearDown() override { LanguageService::instance().SetLanguageFolder(QString()); }

    nb4410::testing::BPRegistryGuard registry;
    ostrel::testing::TempFiles files;
};

class EditorTexts : public TranslatedTexts, public ::testing::WithParamInterface<EditorCase> {};

TEST_P(EditorTexts, HelpTextIsTranslated)
{
    const std::unique_ptr<QWidget> editor = GetParam().make();
    auto* help = editor->findChild<ostrel::XHelpText*>();
    ASSERT_TRUE(help);
    EXPECT_EQ(help->Text(), GetParam().translation);
}

INSTANTIATE_TEST_SUITE_P(
    Editors, EditorTexts,
    ::testing::Values(EditorCase{"IBP", make<XConfigIBP>, "IBP-Hilfe"}, EditorCase{"PBP", make<XConfigPBP>, "PBP-Hilfe"},
                      EditorCase{"Leak", make<XConfigLeak>, "Leck-Hilfe"},
                      EditorCase{"OverPressure", make<XConfigOverPressure>, "Ueberdruck-Hilfe"},
                      EditorCase{"CuffVolume", make<XConfigCuffVolume>, "Manschetten-Hilfe"}),
    [](const ::testing::TestParamInfo<EditorCase>& info) { return std::string(info.param.name); });

TEST_F(TranslatedTexts, PatientCaptionsAreTranslated)
{
    XConfigPBP editor;
    EXPECT_EQ(editor.PatientOption(0)->text(), "Erwachsener");
    EXPECT_EQ(editor.PatientOption(1)->text(), "Neonate");
}

TEST(EditorRanges, LeakBoxesNameTheirOwnRangesAndTheHelpAgrees)
{
    XConfigLeak editor;
    EXPECT_EQ(editor.TextBox(XConfigLeak::kStartPressureRow)->toolTip(), "Legal range: 20 mmHg - 255 mmHg.");
    EXPECT_EQ(editor.TextBox(XConfigLeak::kDurationRow)->toolTip(), "Legal range: 0 s - 300 s.");
    EXPECT_EQ(editor.Slider(XConfigLeak::kDurationRow)->toolTip(), "[0 - 300]");
    auto* help = editor.findChild<ostrel::XHelpText*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->Text().contains("duration 0 - 300 s")) << qPrintable(help->Text());
}

} // namespace
