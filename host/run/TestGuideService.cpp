#include "TestGuideService.h"

#include "host/contract/ITestElement.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"

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

} // namespace ostrel
