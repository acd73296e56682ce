#pragma once
// A driver over a scripted port, with the message boxes it shows recorded.
#include "ScriptedLink.h"
#include "host/core/ErrorService.h"
#include "tests/support/Failures.h"
#include "tests/support/ScriptedMessages.h"
#include "vti/CNB4410VTI.h"

#include <gtest/gtest.h>

namespace nb4410vti::testing {

using ostrel::testing::failureOf;

class DriverTest : public ::testing::Test {
public:
    // Replies the script delays stay well inside this window; lost ones cost no whole seconds.
    static constexpr std::int32_t kWindowMs = 250;

protected:
    void SetUp() override
    {
        ostrel::ErrorService::instance().ClearLog();
        CNB4410VTI::SetReplyWindowMs(kWindowMs);
    }
    void TearDown() override
    {
        driver->EndRemote();
        driver.reset();
        CNB4410VTI::SetReplyWindowMs(0);
    }

    void connect()
    {
        driver->StartRemote();
        ASSERT_EQ(driver->VtiState(), evtiIdle);
    }
    void startLeakTest()
    {
        connect();
        ostrel::Variant params(ostrel::VariantArray{ostrel::Variant(ostrel::VariantArray::fromTexts(
            {QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("60")}))});
        driver->StartTest(params);
        ASSERT_EQ(driver->VtiState(), evtiPerformingTest);
    }

    // What asking for the result of the running test 300 fails with, 0 when it comes back.
    ostrel::HResult resultFailure(ostrel::Variant& result)
    {
        std::int32_t testId = 300;
        return failureOf([&] { driver->GetTestResult(testId, result); });
    }
    // What storing a placeholder operator record fails with, 0 when it is stored.
    ostrel::HResult putRecordFailure()
    {
        QString op = QStringLiteral("a"), establishment = QStringLiteral("b"), serial = QStringLiteral("c");
        return failureOf([&] { driver->PutMTIData(op, establishment, serial); });
    }

    QStringList shownTexts() const { return messages.sink->shownTexts(); }

    ostrel::testing::MessageGuard messages;
    ScriptedPort port;
    std::shared_ptr<CNB4410VTI> driver = std::make_shared<CNB4410VTI>();
};

inline const QString k22001 = QStringLiteral(
    "Communication error with the NB-4410 unit. Please check all cables and check that the NB-4410 is turned on.");
inline const QString k22002 = QStringLiteral(
    "Invalid data recieved from the NB-4410. Boot the NB-4410 and restart test. If the error still occurs, a new "
    "firmware upload is required.");
inline const QString k22003 =
    QStringLiteral("No NB-4410 connected. Please check all cables and check that the NB-4410 is turned on.");
inline const QString kTitle = QStringLiteral("NB-4410 Communication Error");

} // namespace nb4410vti::testing
