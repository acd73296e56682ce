#pragma once
// The preset (or artifact simulation) tables of one family as the registry holds them, one
// list for adult and one for neonate patients, for the preset editor's choice list.
#include <QString>
#include <cstdint>
#include <vector>

class QComboBox;

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

} // namespace nb4410
