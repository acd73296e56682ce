#include "PlugInHost.h"

#include "host/core/ClassRegistry.h"
#include "host/core/ComError.h"
#include "host/core/Steps.h"

namespace ostrel {

void PlugInHost::Load(const QString& progId)
{
    Use(ClassRegistry::instance().CreateAs<IPlugIn>(progId));
}

void PlugInHost::Use(std::shared_ptr<IPlugIn> plugIn)
{
    if (!plugIn)
        throw ComError(kE_Pointer, QStringLiteral("ostrel.PlugInHost"), QStringLiteral("No plug-in"));
    plugIn->Initialize(nullptr);
    m_plugIn = std::move(plugIn);
}

std::vector<CatalogueEntry> PlugInHost::Catalogue() const
{
    std::vector<CatalogueEntry> entries;
    if (!m_plugIn)
        return entries;
    const auto tests = m_plugIn->Tests();
    for (std::int32_t i = 0; tests && i < tests->Count(); ++i) {
        const TestElementPtr element = tests->Item(i);
        if (!element)
            continue;
        CatalogueEntry entry;
        entry.testId = element->TestID();
        if (auto info = element->Info()) {
            entry.name = info->Name();
            entry.description = info->Description();
        }
        if (entry.name.isEmpty())
            entry.name = QStringLiteral("Test %1").arg(entry.testId);
        runStep("small icon", [&] { entry.icon = m_plugIn->Icon(entry.testId, 0); });
        runStep("large icon", [&] { entry.largeIcon = m_plugIn->Icon(entry.testId, 1); });
        entries.push_back(std::move(entry));
    }
    return entries;
}

TestElementPtr PlugInHost::CreateElement(const QString& plugInId, std::int32_t testId) const
{
    if (!m_plugIn)
        throw ComError(kE_Pointer, QStringLiteral("ostrel.PlugInHost"), QStringLiteral("The plug-in is not loaded"), 2);
    if (plugInId != m_plugIn->ID())
        throw ComError(kClassNotAvailable, QStringLiteral("ostrel.PlugInHost"),
                       QStringLiteral("the plug-in \"%1\" is not loaded").arg(plugInId), 2);
    return m_plugIn->CreateTest(testId);
}

ElementFactory PlugInHost::Factory() const
{
    return [this](const QString& plugInId, std::int32_t testId) { return CreateElement(plugInId, testId); };
}

} // namespace ostrel
