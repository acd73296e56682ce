#pragma once
// The identity record of an instrument: its model name, its number within a run, and the
// three texts of its identify reply (serial number, firmware version, model text).
#include "Object.h"

#include <QString>
#include <vector>

namespace ostrel {

class MtiData : public IObject {
public:
    void SetName(const QString& name, std::int32_t number);
    void SetValues(const QString& serialNo, const QString& fwVersion, const QString& model);
    void SetNumber(std::int32_t number) { m_number = number; }

    QString Name() const { return m_name; }
    std::int32_t Number() const { return m_number; }
    QString SerialNo() const { return m_serialNo; }
    QString FWVersion() const { return m_fwVersion; }
    QString Model() const { return m_model; }

private:
    QString m_name;
    std::int32_t m_number = 0;
    QString m_serialNo;
    QString m_fwVersion;
    QString m_model;
};

using MtiDataPtr = std::shared_ptr<MtiData>;

// The instruments used in a run, in the order they were first used.
class InstrumentList : public IObject {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    MtiDataPtr Item(int index) const { return m_items.at(static_cast<size_t>(index)); } // 0-based
    void Add(MtiDataPtr instrument) { m_items.push_back(std::move(instrument)); }
    void Clear() { m_items.clear(); }
    const std::vector<MtiDataPtr>& items() const { return m_items; }

private:
    std::vector<MtiDataPtr> m_items;
};

} // namespace ostrel
