#pragma once
// The host's filter of an element: whether its results are to carry a service record.
#include "host/contract/ITestElement.h"

namespace ostrel {

class Filter : public IFilter {
public:
    explicit Filter(bool serviceRecordWanted = false) : m_serviceRecordWanted(serviceRecordWanted) {}

    bool ServiceRecordWanted() override { return m_serviceRecordWanted; }
    void SetServiceRecordWanted(bool wanted) override { m_serviceRecordWanted = wanted; }

private:
    bool m_serviceRecordWanted;
};

} // namespace ostrel
