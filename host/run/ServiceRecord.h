#pragma once
// The record a service-management system takes from a result: a status text ("NA", "F" or
// empty), a comment made of the measured values and the moment it was built.
//
// Stored form: <ServiceRecord Status="F" Date="2024-05-01T10:00:00"><Comment>/12/3</Comment></ServiceRecord>
#include "host/contract/IServiceRecord.h"

#include <QDateTime>

namespace ostrel {

class ServiceRecord : public IServiceRecord {
public:
    static constexpr char kElement[] = "ServiceRecord";
    static constexpr HResult kLoadError = hr(0x8004A2D0u);
    static constexpr HResult kSaveError = hr(0x8004A2D1u);

    void Build(std::shared_ptr<IFilter> filter, const QString& statusText, const QString& comment) override;
    QString StatusText() override { return m_statusText; }
    QString Comment() override { return m_comment; }
    void Load(const StorageElement& element, ProgressPtr progress) override;
    StorageElement Save(const StorageDocumentPtr& document) override;

    QDateTime Date() const { return m_date; }

private:
    QString m_statusText;
    QString m_comment;
    QDateTime m_date;
};

} // namespace ostrel
