#include "DataLinkRoot.h"

namespace ostrel {

std::shared_ptr<DataLinkRoot> DataLinkRoot::instance()
{
    thread_local std::shared_ptr<DataLinkRoot> root = std::make_shared<DataLinkRoot>();
    return root;
}

void DataLinkRoot::NoteLinkClosed(const LinkCounters& counters)
{
    m_closedLinks.sent += counters.sent;
    m_closedLinks.received += counters.received;
    m_closedLinks.dropped += counters.dropped;
    m_closedLinks.bytesSkipped += counters.bytesSkipped;
    m_closedLinks.discarded += counters.discarded;
    m_closedLinks.resends += counters.resends;
}

} // namespace ostrel
