// Every configuration editor locks the same way: a locked editor changes the configuration
// through none of its inputs, its test-guide settings included, and unlocking frees them all.
#include "BPRegistry.h"

#include "plugin/editors/XConfigCuffVolume.h"
#include "plugin/editors/XConfigIBP.h"
#include "plugin/editors/XConfigLeak.h"
#include "plugin/editors/XConfigOverPressure.h"
#include "plugin/editors/XConfigPBP.h"
#include "plugin/tests/bp/CConfigIBP.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "plugin/tests/cuffvolume/CConfigCuffVolume.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace nb4410;

namespace {

struct EditorCase {
    const char* name;
    std::function<std::unique_ptr<XConfigEditor>()> make; // an editor showing a fresh configuration
};

void PrintTo(const EditorCase& c, std::ostream* out) { *out << c.name; }

template <class TEditor, class TConfig>
std::unique_ptr<XConfigEditor> showing()
{
    auto editor = std::make_unique<TEditor>();
    editor->Initialize(ostrel::Variant(std::make_shared<TConfig>()));
    return editor;
}

class EditorLocking : public ::testing::TestWithParam<EditorCase> {
protected:
    // Every box is read-only and every other input disabled when locked, and the other way round.
    static void expectInputs(const XConfigEditor& editor, bool locked)
    {
        int inputs = 0;
        for (const QLineEdit* box : editor.findChildren<QLineEdit*>()) {
            EXPECT_EQ(box->isReadOnly(), locked) << qPrintable(box->objectName());
            ++inputs;
        }
        const auto expectEnabled = [&](const QList<QWidget*>& widgets) {
            for (const QWidget* widget : widgets) {
                EXPECT_EQ(widget->isEnabled(), !locked) << qPrintable(widget->objectName());
                ++inputs;
            }
        };
        expectEnabled(widgetsOf<QAbstractButton>(editor));
        expectEnabled(widgetsOf<QComboBox>(editor));
        expectEnabled(widgetsOf<QSlider>(editor));
        EXPECT_GT(inputs, 0);
    }

    template <class TWidget>
    static QList<QWidget*> widgetsOf(const XConfigEditor& editor)
    {
        QList<QWidget*> widgets;
        for (TWidget* widget : editor.findChildren<TWidget*>())
            widgets << widget;
        return widgets;
    }

    nb4410::testing::BPRegistryGuard registry;
};

TEST_P(EditorLocking, LockingFreezesEveryInputAndUnlockingFreesThem)
{
    const std::unique_ptr<XConfigEditor> editor = GetParam().make();
    EXPECT_FALSE(editor->Locked());
    expectInputs(*editor, false);

    editor->SetLocked(true);
    EXPECT_TRUE(editor->Locked());
    expectInputs(*editor, true);
    editor->SetLocked(true); // locking twice is locking once
    expectInputs(*editor, true);

    editor->SetLocked(false);
    EXPECT_FALSE(editor->Locked());
    expectInputs(*editor, false);
}

INSTANTIATE_TEST_SUITE_P(Editors, EditorLocking,
                         ::testing::Values(EditorCase{"IBP", showing<XConfigIBP, CConfigIBP>},
                                           EditorCase{"PBP", showing<XConfigPBP, CConfigPBP>},
                                           EditorCase{"Leak", showing<XConfigLeak, CConfigLeak>},
                                           EditorCase{"OverPressure", showing<XConfigOverPressure, CConfigOverPressure>},
                                           EditorCase{"CuffVolume", showing<XConfigCuffVolume, CConfigCuffVolume>}),
                         [](const ::testing::TestParamInfo<EditorCase>& info) { return std::string(info.param.name); });

} // namespace
