#include "TestCollection.h"

#include "host/core/Steps.h"

#include <unordered_set>

namespace ostrel {

namespace {

constexpr char kSource[] = "ostrel.TestCollection";

// Depth first; a group seen before is not searched again, so a group that holds itself
// cannot loop.
TestElementPtr findIn(ITestList& list, std::int32_t id, std::unordered_set<const void*>& seen)
{
    for (std::int32_t i = 0, n = list.Count(); i < n; ++i) {
        TestElementPtr element = list.Item(i);
        if (!element)
            continue;
        if (element->ID() == id)
            return element;
        auto group = query<ITestList>(element);
        if (group && seen.insert(group.get()).second)
            if (auto found = findIn(*group, id, seen))
                return found;
    }
    return nullptr;
}

} // namespace

TestCollection::~TestCollection()
{
    Clear();
}

TestElementPtr TestCollection::Item(std::int32_t index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

void TestCollection::Add(TestElementPtr element, TestElementPtr parent, std::int32_t flags)
{
    if (!element)
        throw ComError(kE_Pointer, kSource, QStringLiteral("No element to add"), 1);
    if (!parent) {
        m_items.push_back(std::move(element));
        return;
    }
    auto group = query<ITestList>(parent);
    if (!group)
        throw ComError(kE_NoInterface, kSource, QStringLiteral("The parent element is not a group"), 1);
    element->SetParent(parent);
    group->Add(std::move(element), nullptr, flags);
}

TestElementPtr TestCollection::Find(std::int32_t id)
{
    std::unordered_set<const void*> seen{static_cast<ITestList*>(this)};
    return findIn(*this, id, seen);
}

void TestCollection::Clear()
{
    auto items = std::move(m_items);
    m_items.clear();
    for (auto& element : items)
        runStep("terminate a catalogue element", [&] { element->Terminate(); });
}

} // namespace ostrel
