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

using CuffVolumeEditor = nb4410::testing::EditorTest<XConfigCuffVolume, CConfigCuffVolume>;

TEST_F(CuffVolumeEditor, SettingsChangesReachTheConfigurationAndTheHost)
{
    EXPECT_TRUE(callback->events.isEmpty());
    EXPECT_FALSE(editor.Locked());

    // Locking the settings with the editor the editors' shared suite holds.
    EXPECT_TRUE(clickSkipNA());
}

TEST_F(CuffVolumeEditor, InitializeSendsNoChangeAndWithoutAConfigurationLocks)
{
    auto other = std::make_shared<CConfigCuffVolume>();
    other->TestGuideSettings()->SetOption(0, false);
    initializeQuietly(ostrel::Variant(other));
    EXPECT_EQ(editor.TestGuideSettingsControl()->Settings(), other->TestGuideSettings());
    EXPECT_FALSE(editor.TestGuideSettingsControl()->OptionBox(0)->isChecked());
    initializeQuietly(ostrel::Variant(std::make_shared<CConfigCuffVolume>()));
    EXPECT_TRUE(editor.TestGuideSettingsControl()->OptionBox(0)->isChecked());

    XConfigCuffVolume bare;
    bare.Initialize(ostrel::Variant());
    EXPECT_TRUE(bare.Locked());
    EXPECT_TRUE(bare.TestGuideSettingsControl()->Locked());
}

} // namespace
