#pragma once
// One key of the registry data in memory: its values and sub-keys in file order. Names are
// kept as written and compared without regard to case.
#include "Variant.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace ostrel {

struct RegistryNode {
    QString name;
    std::vector<std::pair<QString, Variant>> values;
    std::vector<std::shared_ptr<RegistryNode>> children;

    std::shared_ptr<RegistryNode> findChild(const QString& childName) const;
    // The child of that name, appended when absent.
    std::shared_ptr<RegistryNode> ensureChild(const QString& childName);
    void removeChild(const QString& childName);

    const Variant* findValue(const QString& valueName) const;
    void setValue(const QString& valueName, const Variant& value);
    void removeValue(const QString& valueName);

    // Another tree laid over this one: its values replace, its new keys are appended.
    void merge(const RegistryNode& other);
    std::shared_ptr<RegistryNode> deepCopy() const;
};

using RegistryNodePtr = std::shared_ptr<RegistryNode>;

} // namespace ostrel
