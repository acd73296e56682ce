#pragma once
// The data link's root object: one per thread, created on first use; gives the port registry.
#include "PortRegistry.h"

namespace ostrel {

class DataLinkRoot : public IObject {
public:
    static std::shared_ptr<DataLinkRoot> instance();

    PortRegistryPtr PortRegistry() const { return m_ports; }

    // A driver tells here that a call failed on the instrument or the line (after it showed its
    // message), so that a program can say so in its exit status without knowing the driver.
    void NoteInstrumentFailure() { ++m_instrumentFailures; }
    int InstrumentFailures() const { return m_instrumentFailures; }

    // What the window's "Instrument link" view shows without knowing the driver: the identity
    // the instrument reported last, and the counters of every link closed since the start.
    struct Identity {
        QString serialNo;
        QString firmware;
        QString model;
    };
    void NoteIdentity(Identity identity) { m_identity = std::move(identity); }
    const Identity& LastIdentity() const { return m_identity; }
    void NoteLinkClosed(const LinkCounters& counters);
    const LinkCounters& ClosedLinks() const { return m_closedLinks; }

private:
    int m_instrumentFailures = 0;
    Identity m_identity;
    LinkCounters m_closedLinks;
    PortRegistryPtr m_ports = std::make_shared<ostrel::PortRegistry>();
};

} // namespace ostrel
