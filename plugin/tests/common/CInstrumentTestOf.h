#pragma once
// What the leak, over-pressure and cuff-volume elements make the same way from their classes:
// new elements, configurations and results of their own type, the configuration they hold,
// and (where the configuration has them) its information rows and parameter set.
#include "plugin/tests/common/CInstrumentTest.h"

namespace nb4410 {

template <class TTest, class TConfig, class TResult>
class CInstrumentTestOf : public CInstrumentTest {
protected:
    CInstrumentTestOf()
        : CInstrumentTest(TTest::kTestId, QString::fromLatin1(TTest::kSource), [] { return std::make_shared<TResult>(); })
    {
    }

    std::shared_ptr<CInstrumentTest> NewElement() const override { return std::make_shared<TTest>(); }
    std::shared_ptr<ostrel::IConfigData> NewConfiguration() const override { return std::make_shared<TConfig>(); }

    std::shared_ptr<TConfig> config() const { return std::dynamic_pointer_cast<TConfig>(Core()->Configuration()); }
    std::shared_ptr<TResult> result() const { return std::dynamic_pointer_cast<TResult>(Core()->Result()); }

    ostrel::Variant ConfigurationInformation() override
    {
        if constexpr (requires(const TConfig& c) { c.ConfigurationInformation(); }) {
            const auto configuration = config();
            return configuration ? ostrel::Variant(configuration->ConfigurationInformation()) : ostrel::Variant();
        }
        return {};
    }

    ostrel::VariantArray ParameterSet() override
    {
        if constexpr (requires(const TConfig& c) { c.TestParameters(); }) {
            const auto configuration = config();
            return configuration ? configuration->TestParameters() : ostrel::VariantArray();
        }
        return {};
    }
};

} // namespace nb4410
