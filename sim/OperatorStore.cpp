#include "OperatorStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace nb4410sim {

OperatorStore::OperatorStore(QString path) : m_path(std::move(path)) {}

OperatorRecord OperatorStore::Load() const
{
    QSettings file(m_path, QSettings::IniFormat);
    return OperatorRecord{file.value(QStringLiteral("Operator")).toString(),
                          file.value(QStringLiteral("Establishment")).toString(),
                          file.value(QStringLiteral("SerialNo")).toString()};
}

bool OperatorStore::Save(const OperatorRecord& record) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings file(m_path, QSettings::IniFormat);
    file.setValue(QStringLiteral("Operator"), record.operatorName);
    file.setValue(QStringLiteral("Establishment"), record.establishment);
    file.setValue(QStringLiteral("SerialNo"), record.serialNo);
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace nb4410sim
