#include "FakeElements.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace nb4410::testing;

namespace {

std::shared_ptr<CElement> element(std::int32_t id)
{
    auto e = std::make_shared<CElement>();
    e->Initialize("NB-4410", id, id);
    return e;
}

TEST(TestCollection, AddsAtTheTopOrUnderAGroupAndFindsAtAnyDepth)
{
    TestCollection list;
    auto group = std::make_shared<CGroup>();
    group->Initialize("NB-4410", 1, 1);
    list.Add(group, nullptr, 1);
    auto member = element(110);
    list.Add(member, group, 1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(group->Count(), 1);
    EXPECT_EQ(member->Parent(), group);
    EXPECT_EQ(list.Find(110), member);
    EXPECT_EQ(list.Find(1), group);
    EXPECT_FALSE(list.Find(2));
    EXPECT_FALSE(list.Item(1));
    EXPECT_FALSE(list.Item(-1));

    EXPECT_THROW(list.Add(element(5), member, 1), ComError); // no group
    EXPECT_THROW(list.Add(nullptr, nullptr, 1), ComError);
    EXPECT_EQ(list.Count(), 1);
}

TEST(TestCollection, AGroupHoldingItselfDoesNotLoopTheSearch)
{
    TestCollection list;
    auto group = std::make_shared<CGroup>();
    group->Initialize("NB-4410", 1, 1);
    list.Add(group, nullptr, 1);
    group->members.Add(group, nullptr, 1);
    EXPECT_FALSE(list.Find(42));
    group->members.Clear(); // breaks the cycle again; terminates the group once
    EXPECT_EQ(group->terminateCalls, 1);
}

TEST(TestCollection, ClearTerminatesAndReleasesTheElements)
{
    TestCollection list;
    auto a = element(1);
    auto b = element(2);
    list.Add(a, nullptr, 1);
    list.Add(b, nullptr, 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(a->terminateCalls, 1);
    EXPECT_EQ(b->terminateCalls, 1);
    EXPECT_EQ(a.use_count(), 1);
}

} // namespace
