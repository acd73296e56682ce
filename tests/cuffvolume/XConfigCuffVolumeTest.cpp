// The cuff-volume editor: it passes changes of the test-guide settings on, except while it is
// being initialised, and a control without a configuration stays locked.
#include "host/run/XTestGuideSettings.h"
#include "plugin/editors/XConfigCuffVolume.h"
#include "plugin/tests/cuffvolume/CConfigCuffVolume.h"
#include "tests/support/plugin/EditorTest.h"

#include <QCheckBox>
#include <gtest/gtest.h>

using namespace nb4410;

namespace {

using nb4410::testing::RecordingCallback;

TEST(CuffVolumeEditor, SettingsChangesReachTheConfigurationAndTheHost)
{
    auto config = std::make_shared<CConfigCuffVolume>();
    auto callback = std::make_shared<RecordingCallback>();
    XConfigCuffVolume editor;
    editor.SetCallBack(callback);
    editor.Initialize(ostrel::Variant(config));
    editor.show();
    EXPECT_TRUE(callback->events.isEmpty());
    EXPECT_FALSE(editor.Locked());

    QCheckBox* skipNA = editor.TestGuideSettingsControl()->OptionBox(0);
    ASSERT_TRUE(skipNA);
    skipNA->click();
    EXPECT_FALSE(config->TestGuideSettings()->SkipNAEnabled());
    EXPECT_EQ(callback->events, (QStringList{"Change"}));

    editor.SetLocked(true);
    EXPECT_FALSE(skipNA->isEnabled());
    editor.SetLocked(false);
    EXPECT_TRUE(skipNA->isEnabled());
}

TEST(CuffVolumeEditor, InitializeSendsNoChangeAndWithoutAConfigurationLocks)
{
    auto callback = std::make_shared<RecordingCallback>();
    XConfigCuffVolume editor;
    editor.SetCallBack(callback);
    auto config = std::make_shared<CConfigCuffVolume>();
    config->TestGuideSettings()->SetOption(0, false);
    editor.Initialize(ostrel::Variant(config));
    EXPECT_EQ(editor.TestGuideSettingsControl()->Settings(), config->TestGuideSettings());
    EXPECT_FALSE(editor.TestGuideSettingsControl()->OptionBox(0)->isChecked());
    editor.Initialize(ostrel::Variant(std::make_shared<CConfigCuffVolume>()));
    EXPECT_TRUE(editor.TestGuideSettingsControl()->OptionBox(0)->isChecked());
    EXPECT_TRUE(callback->events.isEmpty());

    XConfigCuffVolume bare;
    bare.Initialize(ostrel::Variant());
    EXPECT_TRUE(bare.Locked());
    EXPECT_TRUE(bare.TestGuideSettingsControl()->Locked());
}

} // namespace
