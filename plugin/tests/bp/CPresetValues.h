#pragma once
// The preset (or artifact simulation) tables of one family as the registry holds them, one
// list for adult and one for neonate patients, for the preset editor's choice list.
#include "MConfigBP.h"

#include "host/core/BasicNumber.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QString>
#include <cstdint>
#include <vector>

namespace nb4410 {

struct PresetRecord {
    std::int32_t ID = 0; // 0: an entry the registry left incomplete; never matched
    QString Name;        // translated
    QString Data;        // the preset data string
};

class CPresetValues {
public:
    // Family 2 reads the presets, 3 the artifact simulations; any other leaves both lists empty.
    void LoadPresets(std::int32_t family);
    // Fills the list with the names (item data: the IDs) of the neonate or the adult list,
    // incomplete entries included as empty items, and selects nothing.
    void FillPresetList(QComboBox* list, bool neonate) const;
    // The data string of the first record of that ID; empty when none matches.
    QString PresetData(bool neonate, std::int32_t id) const;

    const std::vector<PresetRecord>& Adult() const { return m_adult; }
    const std::vector<PresetRecord>& Neonate() const { return m_neonate; }

    // Reads one patient list from the key at path: one record per sub-key "1".."n".
    static std::vector<PresetRecord> ReadList(const QString& path);

private:
    std::vector<PresetRecord> m_adult;
    std::vector<PresetRecord> m_neonate;
};

// Defined here, so that the preset editor uses the tables without linking the configurations.

inline std::vector<PresetRecord> CPresetValues::ReadList(const QString& path)
{
    std::vector<PresetRecord> list;
    const ostrel::RegistryKeyPtr key = MConfigBP::OpenKey(path);
    if (!key)
        return list;
    int count = 0;
    ostrel::runStep("preset count", [&] { count = key->SubKeyCount(); });
    if (count <= 0)
        return list;
    list.resize(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i)
        ostrel::runStep("preset entry", [&] {
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

inline void CPresetValues::LoadPresets(std::int32_t family)
{
    m_adult.clear();
    m_neonate.clear();
    const QString familyKey = MConfigBP::FamilyKey(family);
    if (familyKey.isEmpty())
        return;
    m_adult = ReadList(familyKey + QString::fromLatin1(MConfigBP::kAdult));
    m_neonate = ReadList(familyKey + QString::fromLatin1(MConfigBP::kNeonate));
}

inline void CPresetValues::FillPresetList(QComboBox* list, bool neonate) const
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

inline QString CPresetValues::PresetData(bool neonate, std::int32_t id) const
{
    for (const PresetRecord& record : neonate ? m_neonate : m_adult)
        if (record.ID == id)
            return record.Data;
    return QString();
}

} // namespace nb4410
