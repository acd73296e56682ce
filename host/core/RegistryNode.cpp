#include "RegistryNode.h"

#include <algorithm>

namespace ostrel {

namespace {
bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

std::shared_ptr<RegistryNode> RegistryNode::findChild(const QString& childName) const
{
    for (const auto& child : children)
        if (sameName(child->name, childName))
            return child;
    return nullptr;
}

std::shared_ptr<RegistryNode> RegistryNode::ensureChild(const QString& childName)
{
    if (auto child = findChild(childName))
        return child;
    auto child = std::make_shared<RegistryNode>();
    child->name = childName;
    children.push_back(child);
    return child;
}

void RegistryNode::removeChild(const QString& childName)
{
    std::erase_if(children, [&](const RegistryNodePtr& child) { return sameName(child->name, childName); });
}

const Variant* RegistryNode::findValue(const QString& valueName) const
{
    for (const auto& [n, v] : values)
        if (sameName(n, valueName))
            return &v;
    return nullptr;
}

void RegistryNode::setValue(const QString& valueName, const Variant& value)
{
    for (auto& [n, v] : values) {
        if (sameName(n, valueName)) {
            v = value;
            return;
        }
    }
    values.emplace_back(valueName, value);
}

void RegistryNode::removeValue(const QString& valueName)
{
    std::erase_if(values, [&](const auto& entry) { return sameName(entry.first, valueName); });
}

void RegistryNode::merge(const RegistryNode& other)
{
    for (const auto& [n, v] : other.values)
        setValue(n, v);
    for (const auto& child : other.children)
        ensureChild(child->name)->merge(*child);
}

std::shared_ptr<RegistryNode> RegistryNode::deepCopy() const
{
    auto copy = std::make_shared<RegistryNode>();
    copy->name = name;
    copy->values = values;
    for (const auto& child : children)
        copy->children.push_back(child->deepCopy());
    return copy;
}

} // namespace ostrel
