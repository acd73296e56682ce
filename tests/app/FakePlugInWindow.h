#pragma once
// The main window over the fake plug-in, with messages answered by script and a scratch folder:
// the fixture the window tests start from.
#include "FakeElement.h"

#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "tests/support/ScriptedMessages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace ostrel::testing {

class FakePlugInWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto host = std::make_shared<PlugInHost>();
        host->Use(std::make_shared<FakePlugIn>());
        window = std::make_unique<MainWindow>(host);
    }
    void TearDown() override { window.reset(); }

    FakeElement& element(int index)
    {
        return *std::dynamic_pointer_cast<FakeElement>(window->Document().Entry(index).element);
    }

    MessageGuard messages;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
};

} // namespace ostrel::testing
