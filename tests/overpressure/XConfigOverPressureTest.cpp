// The over-pressure editor: what it lets through into the configuration, when it says
// "Change" and what locking stops.
#include "host/run/XTestGuideSettings.h"
#include "plugin/editors/XConfigOverPressure.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"
#include "tests/support/plugin/EditorTest.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace nb4410;

namespace {

struct OverPressureEditor : nb4410::testing::EditorTest<XConfigOverPressure, CConfigOverPressure> {
    void type(const char* keys)
    {
        editor.TextBox()->clear();
        QTest::keyClicks(editor.TextBox(), keys);
    }
};

TEST_F(OverPressureEditor, TypedPressuresAreClampedAndReachConfigurationAndSlider)
{
    struct Case {
        const char* typed;
        const char* shown;
        float stored;
    };
    for (const Case& c : {Case{"450", "400", 400.0f}, Case{"180", "180", 180.0f}, Case{"1a-5", "15", 15.0f},
                          Case{"", "", 0.0f}}) {
        type(c.typed);
        EXPECT_EQ(editor.TextBox()->text(), c.shown) << c.typed;
        EXPECT_EQ(config->InflatePressure(), c.stored) << c.typed;
        EXPECT_EQ(editor.Slider()->value(), static_cast<int>(c.stored)) << c.typed;
    }
    EXPECT_FALSE(callback->events.isEmpty());
    EXPECT_EQ(callback->events.count("Change"), callback->events.size());
}

TEST_F(OverPressureEditor, SliderWritesTheBoxAndTheConfiguration)
{
    callback->events.clear();
    editor.Slider()->setValue(300);
    EXPECT_EQ(editor.TextBox()->text(), "300");
    EXPECT_EQ(config->InflatePressure(), 300.0f);
    EXPECT_EQ(callback->events, (QStringList{"Change"}));
}

TEST_F(OverPressureEditor, InitializeShowsTheConfigurationWithoutChange)
{
    auto other = std::make_shared<CConfigOverPressure>();
    other->SetInflatePressure(175.0f);
    initializeQuietly(ostrel::Variant(other));
    EXPECT_EQ(editor.TextBox()->text(), "175");
    EXPECT_EQ(editor.Slider()->value(), 175);
    EXPECT_EQ(editor.TestGuideSettingsControl()->Settings(), other->TestGuideSettings());
    EXPECT_EQ(other->InflatePressure(), 175.0f);
    EXPECT_FALSE(editor.Locked());

    initializeQuietly(ostrel::Variant());
    EXPECT_TRUE(editor.TextBox()->text().isEmpty());
    EXPECT_TRUE(editor.Locked());
}

TEST_F(OverPressureEditor, LockingStopsEveryEditIncludingTheSettings)
{
    QCheckBox* skipNA = clickSkipNA();
    ASSERT_TRUE(skipNA);

    editor.SetLocked(true);
    EXPECT_TRUE(editor.TextBox()->isReadOnly());
    EXPECT_FALSE(editor.Slider()->isEnabled());
    EXPECT_FALSE(skipNA->isEnabled());
    QTest::keyClicks(editor.TextBox(), "9");
    EXPECT_EQ(config->InflatePressure(), 250.0f);

    editor.SetLocked(false);
    EXPECT_FALSE(editor.TextBox()->isReadOnly());
    EXPECT_TRUE(editor.Slider()->isEnabled());
    EXPECT_TRUE(skipNA->isEnabled());
}

TEST_F(OverPressureEditor, ControlsCarryTheirNamesAndTips)
{
    EXPECT_EQ(editor.TextBox()->objectName(), "txtInflatePressure");
    EXPECT_EQ(editor.Slider()->objectName(), "sldInflatePressure");
    EXPECT_EQ(editor.Slider()->toolTip(), "[0 - 400]");
    EXPECT_EQ(editor.TextBox()->toolTip(), "Legal range: 0 - 500 mmHg.");
    EXPECT_EQ(editor.TextBox()->maxLength(), 3);
}

} // namespace
