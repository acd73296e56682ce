#pragma once
// The host's test collection: test elements at the top level, and under groups (elements that
// also offer ITestList). The plug-in's catalogue of prototypes is one.
#include "host/contract/ITestElement.h"

#include <vector>

namespace ostrel {

class TestCollection : public ITestList {
public:
    ~TestCollection() override;

    std::int32_t Count() override { return static_cast<std::int32_t>(m_items.size()); }
    TestElementPtr Item(std::int32_t index) override; // nullptr out of range
    // At the top level without a parent; under the parent (which must be a group) otherwise.
    // A null element fails with E_POINTER, a parent that is no group with E_NOINTERFACE.
    void Add(TestElementPtr element, TestElementPtr parent, std::int32_t flags) override;
    // The element with that ID, at any depth, depth first in order; nullptr when absent.
    TestElementPtr Find(std::int32_t id) override;
    // Terminates and releases every top-level element.
    void Clear() override;

private:
    std::vector<TestElementPtr> m_items;
};

} // namespace ostrel
