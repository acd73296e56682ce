#pragma once
// An open key of the registry store: its values by name, its sub-keys by 1-based index in
// file order. A key shows the data as it was when it was opened or last written through it.
#include "RegistryNode.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace ostrel {

class RegistryKey;
using RegistryKeyPtr = std::shared_ptr<RegistryKey>;

class RegistryKey {
public:
    RegistryKey(QString path, RegistryNodePtr node);

    QString Path() const { return m_path; } // "Software\Halvard\..."
    QString Name() const;

    // The value of that name (case does not matter): a String or a Long; Empty when absent.
    Variant Value(const QString& name) const;
    QString Text(const QString& name) const { return Value(name).text(); }
    bool HasValue(const QString& name) const;
    QStringList ValueNames() const;

    int SubKeyCount() const;
    RegistryKeyPtr SubKey(int index) const; // 1-based; nullptr when out of range
    RegistryKeyPtr SubKey(const QString& name) const;

    // Writes go to the user's file of the store, which is saved at once.
    void SetValue(const QString& name, const Variant& value);

private:
    QString m_path;
    RegistryNodePtr m_node;
};

} // namespace ostrel
