#pragma once
// The plug-in's own interface of its two result views (XResultBP and XResultView), through
// which the test-guide window shows a result, its limits and the selected standards. Like
// ICustomControl it is reached from the view's widget by dynamic_cast and never owns.
#include "host/contract/Forward.h"
#include "host/core/Variant.h"

#include <QString>
#include <functional>
#include <memory>

namespace nb4410 {

class INB4410ResultView {
public:
    virtual ~INB4410ResultView() = default;

    virtual void Clear() = 0;
    virtual void ShowTestResult(std::shared_ptr<ostrel::IResultData> result) = 0;
    virtual void ShowLimits(std::shared_ptr<ostrel::ILimitData> limits, std::shared_ptr<ostrel::IStandards> selected) = 0;
    virtual void StartEditing() = 0;
    virtual void StoreConfiguration(std::shared_ptr<ostrel::IConfigData> configuration) = 0;

    // The view's events reach its container as generic control events, by name:
    //   "EnableNextButton" (Boolean), "KeyPress" (16-bit key code),
    //   "StandardSelected" (short name, full name of the standard).
    using EventHandler = std::function<void(const QString& name, const ostrel::VariantArray& params)>;
    virtual void SetEventHandler(EventHandler handler) = 0;
};

inline constexpr const char* kEventEnableNextButton = "EnableNextButton";
inline constexpr const char* kEventKeyPress = "KeyPress";
inline constexpr const char* kEventStandardSelected = "StandardSelected";

} // namespace nb4410
