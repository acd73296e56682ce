#pragma once
// The operator's side of a test-guide window: its buttons and whether a test runs. A person
// reaches it through the window's toolbar and keys; an operator without hands (the automatic
// operator, the stop on Ctrl+C) through Press, so both take the same path through the window.
// A window tells the test-guide service when it opens, when its buttons change and when it
// closes, so nobody has to look for it among the top-level widgets.
#include "Forward.h"

#include <QString>

namespace ostrel {

// The keys of the toolbar's buttons.
struct TestGuideButton {
    static constexpr char kAbort[] = "abort";
    static constexpr char kPrev[] = "prev";
    static constexpr char kNext[] = "next";
    static constexpr char kPlay[] = "play";
    static constexpr char kStop[] = "stop";
    static constexpr char kNA[] = "na";
    static constexpr char kSkip[] = "skip";
    static constexpr char kCalibrate[] = "calibrate";
    static constexpr char kMotion[] = "motion";
    static constexpr char kInfo[] = "info";
};

class ITestGuide {
public:
    virtual ~ITestGuide() = default;
    // What pressing the button does; a disabled button does nothing. "play" returns when the
    // run has ended.
    virtual void Press(const QString& key) = 0;
    virtual bool IsEnabled(const QString& key) const = 0;
    // "play" is held down: the element's test runs.
    virtual bool IsRunning() const = 0;
    // The window, for what only a pair of hands does there (typing a monitor's readings).
    virtual QWidget* Window() = 0;
};

class ITestGuideObserver {
public:
    virtual ~ITestGuideObserver() = default;
    virtual void GuideOpened(ITestGuide& guide) = 0;
    virtual void GuideChanged(ITestGuide& guide) = 0;
    virtual void GuideClosed(ITestGuide& guide) = 0;
};

} // namespace ostrel
