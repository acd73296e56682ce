// The leak editor: the values it lets through into the configuration and when it says "Change".
#include "host/run/XTestGuideSettings.h"
#include "plugin/editors/XConfigLeak.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "tests/support/plugin/EditorTest.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace nb4410;

namespace {

using EditorFixture = nb4410::testing::EditorTest<XConfigLeak, CConfigLeak>;

TEST_F(EditorFixture, TypedValuesAreClampedToTheRowRange)
{
    struct Case {
        int row;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{XConfigLeak::kDurationRow, "350", "300"}, Case{XConfigLeak::kStartPressureRow, "999", "400"},
                          Case{XConfigLeak::kDurationRow, "45", "45"}}) {
        QLineEdit* box = editor.TextBox(c.row);
        box->clear();
        QTest::keyClicks(box, c.typed);
        EXPECT_EQ(box->text(), c.shown);
        EXPECT_EQ(editor.Slider(c.row)->value(), QString(c.shown).toInt());
    }
    EXPECT_EQ(config->Duration(), 45);
    EXPECT_EQ(config->StartPressure(), 400.0f);
    EXPECT_FALSE(callback->events.isEmpty());
    EXPECT_EQ(callback->events.count("Change"), callback->events.size());
}

TEST_F(EditorFixture, LettersNeverReachTheBox)
{
    QLineEdit* box = editor.TextBox(XConfigLeak::kStartPressureRow);
    box->clear();
    QTest::keyClicks(box, "1a2");
    EXPECT_EQ(box->text(), "12");
    EXPECT_EQ(config->StartPressure(), 12.0f);
}

TEST_F(EditorFixture, SliderWritesTheBoxAndTheConfiguration)
{
    editor.Slider(XConfigLeak::kDurationRow)->setValue(120);
    EXPECT_EQ(editor.TextBox(XConfigLeak::kDurationRow)->text(), "120");
    EXPECT_EQ(config->Duration(), 120);
}

TEST_F(EditorFixture, OptionButtonsStoreTheEquipment)
{
    editor.EquipmentOption(1)->click();
    EXPECT_EQ(config->TestedEquipment(), 2);
    editor.EquipmentOption(2)->click();
    EXPECT_EQ(config->TestedEquipment(), 3);
    EXPECT_EQ(callback->events, (QStringList{"Change", "Change"}));
}

TEST_F(EditorFixture, InitializeShowsTheConfigurationWithoutChange)
{
    auto other = std::make_shared<CConfigLeak>();
    other->SetTestedEquipment(3);
    other->SetDuration(0);
    other->SetStartPressure(180.0f);
    initializeQuietly(ostrel::Variant(other));
    EXPECT_TRUE(editor.EquipmentOption(2)->isChecked());
    EXPECT_EQ(editor.TextBox(0)->text(), "180");
    EXPECT_EQ(editor.TextBox(1)->text(), "0");
    EXPECT_EQ(editor.Slider(0)->value(), 180);
    EXPECT_EQ(other->StartPressure(), 180.0f);

    initializeQuietly(ostrel::Variant());
    EXPECT_TRUE(editor.EquipmentOption(0)->isChecked());
    EXPECT_TRUE(editor.TextBox(0)->text().isEmpty());
}

// Locking is held for every editor by the editors' shared suite (tests/bp/EditorLockingTest).
TEST_F(EditorFixture, TheSettingsReportChanges) { EXPECT_TRUE(clickSkipNA()); }

TEST_F(EditorFixture, AStoredValuePastTheBoxWidthIsShownAsStored)
{
    auto other = std::make_shared<CConfigLeak>();
    other->SetDuration(1000);
    other->SetStartPressure(150.5f);
    initializeQuietly(ostrel::Variant(other));
    EXPECT_EQ(editor.TextBox(XConfigLeak::kDurationRow)->text(), "1000");
    EXPECT_EQ(editor.Slider(XConfigLeak::kDurationRow)->value(), 300); // the slider's end
    EXPECT_EQ(editor.TextBox(XConfigLeak::kStartPressureRow)->text(), "150.5");
    EXPECT_EQ(other->Duration(), 1000);

    // Typing takes the row's range again, three digits at most.
    QLineEdit* box = editor.TextBox(XConfigLeak::kDurationRow);
    box->selectAll();
    QTest::keyClicks(box, "12345");
    EXPECT_EQ(box->text(), "123");
    EXPECT_EQ(other->Duration(), 123);
}

} // namespace
