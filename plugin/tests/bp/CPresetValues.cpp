#include "CPresetValues.h"

#include "MConfigBP.h"

#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace nb4410 {

using ostrel::runStep;

std::vector<PresetRecord> CPresetValues::ReadList(const QString& path)
{
    std::vector<PresetRecord> list;
    const ostrel::RegistryKeyPtr key = MConfigBP::OpenKey(path);
    if (!key)
        return list;
    int count = 0;
    runStep("preset count", [&] { count = key->SubKeyCount(); });
    if (count <= 0)
        return list;
    list.resize(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i)
        runStep("preset entry", [&] {
            const ostrel::RegistryKeyPtr entry = key->SubKey(QString::number(i));
            if (!entry)
                return;
            const QString name = entry->Text(QString::fromLatin1(MConfigBP::kNameValue));
            const QString data = entry->Text(QString::fromLatin1(MConfigBP::kDataValue));
            const std::int32_t id = ostrel::roundToLong(entry->Value(QString::fromLatin1(MConfigBP::kIdValue)).val());
            if (name.isEmpty() || id < 1 || data.isEmpty())
                return;
            list[static_cast<size_t>(i - 1)] = PresetRecord{id, ostrel::tr4410(name), data};
        });
    return list;
}

void CPresetValues::LoadPresets(std::int32_t family)
{
    m_adult.clear();
    m_neonate.clear();
    const QString familyKey = MConfigBP::FamilyKey(family);
    if (familyKey.isEmpty())
        return;
    m_adult = ReadList(familyKey + QString::fromLatin1(MConfigBP::kAdult));
    m_neonate = ReadList(familyKey + QString::fromLatin1(MConfigBP::kNeonate));
}

void CPresetValues::FillPresetList(QComboBox* list, bool neonate) const
{
    if (!list)
        return;
    // Filling is no choice of the operator: the list stays quiet until it is complete.
    const QSignalBlocker quiet(list);
    list->setUpdatesEnabled(false);
    list->clear();
    for (const PresetRecord& record : neonate ? m_neonate : m_adult)
        list->addItem(record.Name, record.ID);
    list->setCurrentIndex(-1);
    list->setUpdatesEnabled(true);
}

QString CPresetValues::PresetData(bool neonate, std::int32_t id) const
{
    for (const PresetRecord& record : neonate ? m_neonate : m_adult)
        if (record.ID == id)
            return record.Data;
    return QString();
}

} // namespace nb4410
