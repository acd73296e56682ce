#pragma once
// A run context the application and the tests configure: whether an element may be
// performed, where navigation goes, the instruments of the run, the selected standards and
// who hears that an element's result is final.
#include "host/contract/IRunContext.h"
#include "host/core/MtiData.h"
#include "host/results/PressureCurve.h"

#include <functional>
#include <vector>

namespace ostrel {

class RunContext : public IRunContext {
public:
    static constexpr std::int32_t kNoNavigation = -1;
    static constexpr std::int32_t kNavigateNext = 0;
    static constexpr std::int32_t kNavigatePrevious = 1;
    static constexpr std::int32_t kNavigateAbort = 2;

    using MayPerformHandler = std::function<bool(const std::shared_ptr<ITestElement>&)>;
    using NavigationHandler = std::function<void(std::int32_t code)>;
    using ResultFinalHandler = std::function<void(const std::shared_ptr<ITestElement>&)>;
    using CurveHandler = std::function<void(const std::shared_ptr<ITestElement>&, const PressureCurve&)>;

    RunContext();

    // IRunContext
    bool MayPerform(std::shared_ptr<ITestElement> element) override;
    void Navigate(std::int32_t code) override;
    std::shared_ptr<InstrumentList> Instruments() override { return m_instruments; }
    std::shared_ptr<IStandards> SelectedStandards() override { return m_selected; }
    void ResultFinal(std::shared_ptr<ITestElement> element) override;

    // Configuration; every handler is optional (may perform defaults to true).
    void SetMayPerform(MayPerformHandler handler) { m_mayPerform = std::move(handler); }
    void SetNavigationHandler(NavigationHandler handler) { m_navigate = std::move(handler); }
    void SetResultFinalHandler(ResultFinalHandler handler) { m_resultFinal = std::move(handler); }
    void SetCurveHandler(CurveHandler handler) { m_curve = std::move(handler); }
    void SetInstruments(std::shared_ptr<InstrumentList> instruments) { m_instruments = std::move(instruments); }
    void SetSelectedStandards(std::shared_ptr<IStandards> selected) { m_selected = std::move(selected); }

    // The test guide's pressure chart hands over the curve of a run that has ended.
    void RunCurve(const std::shared_ptr<ITestElement>& element, const PressureCurve& curve)
    {
        if (m_curve)
            m_curve(element, curve);
    }

    // What happened so far.
    std::int32_t LastNavigation() const { return m_lastNavigation; }
    int NavigationCount() const { return m_navigationCount; }
    void ResetNavigation();
    const std::vector<std::weak_ptr<ITestElement>>& FinishedElements() const { return m_finished; }

private:
    MayPerformHandler m_mayPerform;
    NavigationHandler m_navigate;
    ResultFinalHandler m_resultFinal;
    CurveHandler m_curve;
    std::shared_ptr<InstrumentList> m_instruments;
    std::shared_ptr<IStandards> m_selected;
    std::int32_t m_lastNavigation = kNoNavigation;
    int m_navigationCount = 0;
    std::vector<std::weak_ptr<ITestElement>> m_finished;
};

} // namespace ostrel
