#pragma once
// The data link's root object: one per thread, created on first use; gives the port registry.
#include "PortRegistry.h"

namespace ostrel {

class DataLinkRoot : public IObject {
public:
    static std::shared_ptr<DataLinkRoot> instance();

    PortRegistryPtr PortRegistry() const { return m_ports; }

private:
    PortRegistryPtr m_ports = std::make_shared<ostrel::PortRegistry>();
};

} // namespace ostrel
