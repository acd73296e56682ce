#include "TestGuideService.h"

#include "host/contract/ITestElement.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"

#include <algorithm>

namespace ostrel {

TestGuideService& TestGuideService::instance()
{
    static TestGuideService service;
    return service;
}

QString TestGuideService::ElementCaption(const std::shared_ptr<ITestElement>& element) const
{
    if (!element)
        return QString();
    QString caption;
    runStep("element name", [&] {
        if (auto info = element->Info())
            caption = info->Name();
    });
    if (caption.isEmpty())
        runStep("element identifiers", [&] {
            caption = QStringLiteral("%1 - %2").arg(element->PlugInID()).arg(element->TestID());
        });
    return caption;
}

bool TestGuideService::ConfirmAbort(const std::shared_ptr<ITestElement>& element) const
{
    const QString name = ElementCaption(element);
    const QString text = name.isEmpty()
        ? QStringLiteral("Do you want to abort the test sequence?")
        : QStringLiteral("Do you want to abort the test sequence at \"%1\"?").arg(name);
    auto& messages = MessageService::instance();
    return messages.Confirm(text, messages.ApplicationTitle());
}

void TestGuideService::AddObserver(ITestGuideObserver* observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void TestGuideService::RemoveObserver(ITestGuideObserver* observer)
{
    std::erase(m_observers, observer);
}

template <typename Notify>
void TestGuideService::notify(Notify&& notifyOne)
{
    // A copy: an observer may remove itself (or another) while being told.
    const auto observers = m_observers;
    for (ITestGuideObserver* observer : observers)
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            runStep("test-guide observer", [&] { notifyOne(*observer); });
}

void TestGuideService::GuideOpened(ITestGuide& guide)
{
    m_open = &guide;
    notify([&](ITestGuideObserver& observer) { observer.GuideOpened(guide); });
}

void TestGuideService::GuideChanged(ITestGuide& guide)
{
    if (m_open == &guide)
        notify([&](ITestGuideObserver& observer) { observer.GuideChanged(guide); });
}

void TestGuideService::GuideClosed(ITestGuide& guide)
{
    if (m_open != &guide)
        return;
    m_open = nullptr;
    notify([&](ITestGuideObserver& observer) { observer.GuideClosed(guide); });
}

} // namespace ostrel
