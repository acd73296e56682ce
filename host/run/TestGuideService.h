#pragma once
// What the host says to the test guide: the caption for an element, and whether the operator
// really wants to abort. It also knows the open test-guide window and tells its observers (the
// automatic operator, the stop on Ctrl+C) when a window opens, changes and closes.
#include "host/contract/ITestGuide.h"

#include <QString>
#include <memory>
#include <vector>

namespace ostrel {

class TestGuideService {
public:
    static TestGuideService& instance();

    // The element's name from its information object, else its plug-in and test identifiers.
    QString ElementCaption(const std::shared_ptr<ITestElement>& element) const;
    // Asks the operator through the message service; true to abort.
    bool ConfirmAbort(const std::shared_ptr<ITestElement>& element) const;

    // Observers are told in the order they were added; one that goes away removes itself.
    void AddObserver(ITestGuideObserver* observer);
    void RemoveObserver(ITestGuideObserver* observer);
    // The window showing now, nullptr when none is.
    ITestGuide* OpenGuide() const { return m_open; }

    // Called by the windows themselves.
    void GuideOpened(ITestGuide& guide);
    void GuideChanged(ITestGuide& guide);
    void GuideClosed(ITestGuide& guide);

private:
    template <typename Notify>
    void notify(Notify&& notifyOne);

    std::vector<ITestGuideObserver*> m_observers;
    ITestGuide* m_open = nullptr;
};

} // namespace ostrel
