#include "ElementCore.h"

#include "ElementInfo.h"
#include "Filter.h"
#include "host/contract/IRunContext.h"
#include "host/core/ErrorService.h"

namespace ostrel {

namespace {
const QString kPlugInData = QStringLiteral("PlugInData");
const QString kExpectedResult = QStringLiteral("ExpectedResult");
const QString kResultItem = QStringLiteral("ResultItem");

[[noreturn]] void fail(HResult number, const QString& description)
{
    ErrorService::instance().Raise(QString(), number, QLatin1String(ElementCore::kSource), 2, description);
}
} // namespace

ElementCore::ElementCore() : m_info(std::make_shared<ElementInfo>()), m_filter(std::make_shared<ostrel::Filter>()) {}

void ElementCore::Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id)
{
    m_plugInId = plugInId;
    m_testId = testId;
    m_id = id;
}

std::shared_ptr<ElementCore> ElementCore::Clone() const
{
    auto copy = std::make_shared<ElementCore>();
    copy->Initialize(m_plugInId, m_testId, m_id);
    copy->m_info = ElementInfo::CopyOf(m_info);
    copy->m_filter = std::make_shared<ostrel::Filter>(m_filter && m_filter->ServiceRecordWanted());
    copy->m_configuration = m_configuration ? m_configuration->Clone() : nullptr;
    copy->m_limits = m_limits ? m_limits->Clone() : nullptr;
    copy->m_resultFactory = m_resultFactory;
    return copy;
}

void ElementCore::Load(const StorageElement& element, ProgressPtr progress)
{
    if (element && element.Name() == QLatin1String(kElement)) {
        for (int i = 0; i < element.ChildCount(); ++i)
            loadPart(element.Child(i), progress);
        return;
    }
    loadPart(element, progress);
}

void ElementCore::loadPart(const StorageElement& element, const ProgressPtr& progress)
{
    const QString name = element ? element.Name() : QString();
    if (name == kPlugInData) {
        if (!m_configuration)
            fail(kNoConfiguration, QStringLiteral("The element has no configuration to load."));
        m_configuration->Load(element, progress);
    } else if (name == kExpectedResult) {
        if (!m_limits)
            fail(kNoLimits, QStringLiteral("The element has no limits to load."));
        m_limits->Load(element, progress);
    } else if (name == kResultItem) {
        if (!m_result && m_resultFactory)
            m_result = m_resultFactory();
        if (!m_result)
            fail(kNoResult, QStringLiteral("The element has no result to load."));
        m_result->Load(element, progress);
    } else {
        fail(kUnknownElement, QStringLiteral("The element \"%1\" is not part of a test element.").arg(name));
    }
}

StorageElement ElementCore::Save(const StorageDocumentPtr& document) const
{
    StorageElement element = document ? document->CreateElement(QLatin1String(kElement)) : StorageElement();
    if (!element)
        fail(kSaveFailed, QStringLiteral("The test element could not be stored."));
    element.SetAttribute(QStringLiteral("PlugIn"), m_plugInId);
    element.SetAttribute(QStringLiteral("TestID"), QString::number(m_testId));
    element.SetAttribute(QStringLiteral("ID"), QString::number(m_id));
    if (m_configuration)
        if (StorageElement part = m_configuration->Save(document))
            element.AppendChild(part);
    if (m_limits)
        if (StorageElement part = m_limits->Save(document))
            element.AppendChild(part);
    if (m_result)
        if (StorageElement part = m_result->Save(document))
            element.AppendChild(part);
    return element;
}

void ElementCore::PrintReport(ReportPtr report, const Variant& extra)
{
    if (!report)
        return;
    if (m_configuration)
        m_configuration->PrintReport(report);
    if (m_limits)
        m_limits->PrintReport(report, extra.as<IRunContext>());
    if (m_result)
        m_result->PrintReport(report, extra);
}

void ElementCore::Terminate()
{
    m_parent.reset();
    m_configuration.reset();
    m_limits.reset();
    m_result.reset();
    m_resultFactory = nullptr;
}

} // namespace ostrel
