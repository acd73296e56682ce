#pragma once
// Fixtures of the plug-in's test elements: an element performed in a run context while a script
// works its window from inside the modal loop, against a driver double or the simulator.
#include "FakeDriver.h"
#include "SimulatedInstrument.h"

#include "host/contract/ResultStatus.h"
#include "host/results/Standards.h"
#include "host/run/Filter.h"
#include "host/run/RunContext.h"
#include "host/run/XTestGuideStatusBar.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/tests/common/CInstrumentResult.h"
#include "plugin/tests/common/CInstrumentTest.h"
#include "plugin/tests/common/MVti.h"
#include "tests/support/ScriptedMessages.h"

#include <QAction>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace nb4410::testing {

// TRig is the instrument side; it is there before the element and goes after it.
template <class TElement, class TRig>
class ElementTest : public ::testing::Test {
protected:
    using Script = std::function<void(FTestGuide&)>;

    void create(std::int32_t testId, std::int32_t id, bool serviceRecordWanted = false)
    {
        element = std::make_shared<TElement>();
        element->Initialize(QStringLiteral("NB-4410"), testId, id);
        if (serviceRecordWanted)
            element->Filter()->SetServiceRecordWanted(true);
    }

    // Performs the element while script works the window from inside its modal loop. A script
    // that leaves the window open is ended by a confirmed abort, so that a failing test cannot hang.
    void perform(const Script& script)
    {
        QTimer::singleShot(0, [this, script] {
            FTestGuide* guide = element->Guide();
            ASSERT_TRUE(guide);
            script(*guide);
            if (element->Guide() && element->Guide()->isVisible()) {
                ADD_FAILURE() << "the window was left open";
                messages.sink->defaultAnswer = true;
                element->Guide()->Press("abort");
            }
        });
        element->Perform(context);
    }
    static void press(FTestGuide& guide, const char* key) { guide.Button(key)->trigger(); }

    // The run fails at once: the element stops with the play button up and the window open,
    // and the operator skips.
    void performFailingRunThenSkip()
    {
        perform([this](FTestGuide& guide) {
            press(guide, "play");
            EXPECT_FALSE(element->Running());
            EXPECT_FALSE(guide.Button("play")->isChecked());
            EXPECT_TRUE(guide.isVisible());
            press(guide, "skip");
        });
    }

    template <class TResult>
    TResult* resultAs() const
    {
        return dynamic_cast<TResult*>(element->Result().get());
    }
    template <class TConfig>
    TConfig& configAs() const
    {
        return *std::dynamic_pointer_cast<TConfig>(element->Configuration());
    }

    // Selects for the run one standard "ISO" whose item of the key has the given limits.
    void selectStandardWithLimits(const QString& key, std::optional<float> upper, std::optional<float> lower = {})
    {
        auto standard = element->Limits()->CreateStandard(ostrel::Variant("ISO"), ostrel::Variant("ISO 81060"));
        for (const auto& item : standard->LimitItems()) {
            if (item->Key() != key)
                continue;
            if (upper)
                item->SetLimit(0, *upper);
            if (lower)
                item->SetLimit(1, *lower);
        }
        auto selected = std::make_shared<ostrel::Standards>();
        selected->Add(standard);
        context->SetSelectedStandards(selected);
    }

    ostrel::testing::MessageGuard messages;
    TRig rig;
    std::shared_ptr<TElement> element;
    std::shared_ptr<ostrel::RunContext> context = std::make_shared<ostrel::RunContext>();
};

template <class TElement>
class ElementWithFakeDriver : public ElementTest<TElement, FakeDriverRegistration> {
protected:
    FakeDriver& driver() { return this->rig.driver(); }

    // The instrument answers poll `call` with reply(call); the operator presses stop at poll stopAt.
    void replyStoppingAt(int stopAt, std::function<ostrel::VariantArray(int call)> reply)
    {
        driver().replies = [this, stopAt, reply = std::move(reply)](int call) {
            if (call == stopAt)
                this->element->Guide()->Press("stop");
            return reply(call);
        };
    }
};

template <class TElement>
class ElementOverSimulator : public ElementTest<TElement, SimulatedInstrument> {
protected:
    // Simulated time runs 100 times faster.
    void start(QHash<QString, QString> options = {})
    {
        options.insert(QStringLiteral("TimeScale"), QStringLiteral("100"));
        this->rig.start(options);
    }

    // The line dies while the test runs: the window shows the run incomplete, the operator
    // confirms the failure's message and goes on with next.
    void performUntilTheLineDiesThenNext()
    {
        this->messages.sink->defaultAnswer = true;
        this->perform([this](FTestGuide& guide) {
            this->press(guide, "play");
            EXPECT_FALSE(this->element->Running());
            EXPECT_EQ(guide.StatusBar()->Status(), ostrel::status::kIncomplete);
            this->press(guide, "next");
        });
    }

    // What a run the line cut short stores: an incomplete result that names the failure, the
    // measurement of the key incomplete and flagged erroneous ("IE"), and the line closed.
    void expectCutShortByTheLine(const QString& key)
    {
        auto* result = this->template resultAs<CInstrumentResult>();
        ASSERT_TRUE(result);
        EXPECT_EQ(result->Status(), ostrel::status::kIncomplete);
        EXPECT_FALSE(result->StatusText().isEmpty());
        const auto measurement = result->Find(key);
        ASSERT_TRUE(measurement);
        EXPECT_EQ(measurement->Status(), ostrel::status::kIncomplete);
        EXPECT_EQ(measurement->Flags(), QStringLiteral("IE"));
        EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    }
};

// One test type's element over the simulator, the catalogue's element 1 with a service record
// wanted, its configuration and result as the type's own classes.
template <class TElement, class TConfig, class TResult>
class TypedElementOverSimulator : public ElementOverSimulator<TElement> {
protected:
    void SetUp() override { this->create(TElement::kTestId, 1, true); }

    TConfig& config() { return this->template configAs<TConfig>(); }
    TResult* result() { return this->template resultAs<TResult>(); }
};

} // namespace nb4410::testing
