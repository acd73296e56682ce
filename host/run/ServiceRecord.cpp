#include "ServiceRecord.h"

#include "host/core/ErrorService.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

namespace {
constexpr char kSource[] = "Ostrel.ServiceRecord";
}

void ServiceRecord::Build(std::shared_ptr<IFilter> /*filter*/, const QString& statusText, const QString& comment)
{
    m_statusText = statusText;
    m_comment = comment;
    m_date = QDateTime::currentDateTime();
}

void ServiceRecord::Load(const StorageElement& element, ProgressPtr /*progress*/)
{
    if (!element || element.Name() != QLatin1String(kElement))
        ErrorService::instance().Raise(QString(), kLoadError, kSource, 2,
                                       QStringLiteral("The element is not a service record."));
    m_statusText = element.Attribute(QStringLiteral("Status"));
    m_date = QDateTime::fromString(element.Attribute(QStringLiteral("Date")), Qt::ISODate);
    const StorageElement comment = element.FirstChild(QStringLiteral("Comment"));
    m_comment = comment ? comment.Text() : QString();
}

StorageElement ServiceRecord::Save(const StorageDocumentPtr& document)
{
    StorageElement element = document ? document->CreateElement(QLatin1String(kElement)) : StorageElement();
    if (!element)
        ErrorService::instance().Raise(QString(), kSaveError, kSource, 3,
                                       QStringLiteral("The service record could not be stored."));
    element.SetAttribute(QStringLiteral("Status"), m_statusText);
    if (m_date.isValid())
        element.SetAttribute(QStringLiteral("Date"), m_date.toString(Qt::ISODate));
    if (!m_comment.isEmpty())
        element.AddChild(QStringLiteral("Comment"), m_comment);
    return element;
}

} // namespace ostrel
