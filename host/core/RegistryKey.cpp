#include "RegistryKey.h"

#include "RegistryStore.h"

namespace ostrel {

RegistryKey::RegistryKey(QString path, RegistryNodePtr node) : m_path(std::move(path)), m_node(std::move(node)) {}

QString RegistryKey::Name() const
{
    return m_node->name;
}

Variant RegistryKey::Value(const QString& name) const
{
    const Variant* value = m_node->findValue(name);
    return value ? *value : Variant();
}

bool RegistryKey::HasValue(const QString& name) const
{
    return m_node->findValue(name) != nullptr;
}

QStringList RegistryKey::ValueNames() const
{
    QStringList names;
    for (const auto& entry : m_node->values)
        names << entry.first;
    return names;
}

int RegistryKey::SubKeyCount() const
{
    return static_cast<int>(m_node->children.size());
}

RegistryKeyPtr RegistryKey::SubKey(int index) const
{
    if (index < 1 || index > SubKeyCount())
        return nullptr;
    const auto& child = m_node->children[static_cast<size_t>(index - 1)];
    return std::make_shared<RegistryKey>(m_path + QLatin1Char('\\') + child->name, child);
}

RegistryKeyPtr RegistryKey::SubKey(const QString& name) const
{
    auto child = m_node->findChild(name);
    if (!child)
        return nullptr;
    return std::make_shared<RegistryKey>(m_path + QLatin1Char('\\') + child->name, child);
}

void RegistryKey::SetValue(const QString& name, const Variant& value)
{
    RegistryStore::instance().SetValue(Hive::LocalMachine, m_path, name, value);
    // The store's tree is replaced on every write; look at the new one from now on.
    if (auto fresh = RegistryStore::instance().Open(Hive::LocalMachine, m_path))
        m_node = fresh->m_node;
}

} // namespace ostrel
