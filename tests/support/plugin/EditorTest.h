#pragma once
// The host's side of a configuration editor: a callback that records the events the editor
// sends, and a fixture with an editor shown on a fresh configuration.
#include "host/contract/ICallback.h"
#include "host/core/Variant.h"
#include "host/run/XTestGuideSettings.h"

#include <QCheckBox>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace nb4410::testing {

// The editors' events ("Change") carry no parameters.
class RecordingCallback : public ostrel::ICallback {
public:
    void Notify(const QString& eventName, const ostrel::Variant& params) override
    {
        events << eventName;
        EXPECT_EQ(params.array().count(), 0) << qPrintable(eventName);
    }
    QStringList events;
};

template <class TEditor, class TConfig>
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.SetCallBack(callback);
        editor.Initialize(ostrel::Variant(config));
        editor.show();
    }

    // Showing a configuration, or none, is no change the host hears of.
    void initializeQuietly(const ostrel::Variant& data)
    {
        callback->events.clear();
        editor.Initialize(data);
        EXPECT_TRUE(callback->events.isEmpty());
    }

    // Clears the settings' first option, "skip not applicable": the configuration follows and
    // the host hears one "Change". Null when the settings have no such box.
    QCheckBox* clickSkipNA()
    {
        QCheckBox* skipNA = editor.TestGuideSettingsControl()->OptionBox(0);
        if (!skipNA) {
            ADD_FAILURE() << "no settings box";
            return nullptr;
        }
        skipNA->click();
        EXPECT_FALSE(config->TestGuideSettings()->SkipNAEnabled());
        EXPECT_EQ(callback->events, (QStringList{"Change"}));
        return skipNA;
    }

    std::shared_ptr<TConfig> config = std::make_shared<TConfig>();
    std::shared_ptr<RecordingCallback> callback = std::make_shared<RecordingCallback>();
    TEditor editor;
};

} // namespace nb4410::testing
