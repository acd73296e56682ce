#pragma once
// A test element of the plug-in through its stored form and its clone: what comes back must be
// a new element of the same kind, numbers and parts of its own.
#include "host/contract/ILimitData.h"
#include "host/contract/ITestElement.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace nb4410::testing {

// A fresh element of the same type and numbers that loaded what element saved; null when
// nothing was stored.
template <class TElement>
std::shared_ptr<TElement> reloaded(TElement& element)
{
    auto document = ostrel::StorageDocument::Create();
    const ostrel::StorageElement stored = element.Save(document);
    if (!stored) {
        ADD_FAILURE() << "nothing was stored";
        return nullptr;
    }
    auto loaded = std::make_shared<TElement>();
    loaded->Initialize(element.PlugInID(), element.TestID(), element.ID());
    loaded->Load(stored, nullptr);
    return loaded;
}

// The clone has the test number, a configuration of its own and limits it owns.
inline std::shared_ptr<ostrel::ITestElement> expectedClone(ostrel::ITestElement& element, std::int32_t testId)
{
    auto copy = element.Clone();
    if (!copy) {
        ADD_FAILURE() << "no clone";
        return nullptr;
    }
    EXPECT_EQ(copy->TestID(), testId);
    EXPECT_NE(copy->Configuration(), element.Configuration());
    EXPECT_EQ(copy->Limits()->Owner(), copy);
    return copy;
}

// The measurement list as "key: description" rows.
inline QStringList measurementRows(ostrel::ITestElement& element)
{
    const ostrel::VariantArray list = element.GetMeasurementList().array();
    QStringList rows;
    for (int row = 0; row < list.rows(); ++row)
        rows << list.at(row, 0).text() + ": " + list.at(row, 1).text();
    return rows;
}

} // namespace nb4410::testing
