// The element panel's result tab as a technician reads it: each measurement by its name with
// its key beside it, the value in words where it is yes or no, its unit, the limits applied and
// the verdict.
#include "FakeData.h"
#include "FakeElement.h"

#include "app/ostrel/ElementPanel.h"
#include "app/ostrel/StandardsCatalog.h"

#include <QTableWidget>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

QStringList rowTexts(const QTableWidget& grid, int row)
{
    QStringList texts;
    for (int column = 0; column < grid.columnCount(); ++column)
        texts << (grid.item(row, column) ? grid.item(row, column)->text() : QString());
    return texts;
}

TEST(ResultGrid, NamesBesideKeysAndYesOrNoInWords)
{
    auto element = std::make_shared<FakeElement>();
    element->Initialize(QStringLiteral("FAKE"), 40, 1);
    element->result().status = 2;
    element->result().measurements = {
        std::make_shared<FakeMeasurement>(QStringLiteral("PEAK"), QStringLiteral("Monitor Release Pressure"), Variant(312.0),
                                          Variant(), QStringLiteral("mmHg"), 5),
        std::make_shared<FakeMeasurement>(QStringLiteral("MREL"), QStringLiteral("Monitor Release"), Variant(false), Variant(),
                                          QString(), 5),
    };
    const StandardsCatalog catalog;
    ElementPanel panel(catalog);
    panel.ShowElement(element, {});
    const QTableWidget& grid = *panel.Measurements();
    QStringList headers;
    for (int column = 0; column < grid.columnCount(); ++column)
        headers << grid.horizontalHeaderItem(column)->text();
    EXPECT_EQ(headers, (QStringList{"Measurement", "Key", "Value", "Unit", "Preset value", "Limits applied", "Verdict"}));
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(rowTexts(grid, 0), (QStringList{"Monitor Release Pressure", "PEAK", "312", "mmHg", "", "", "Not judged"}));
    EXPECT_EQ(rowTexts(grid, 1), (QStringList{"Monitor Release", "MREL", "No", "", "", "", "Not judged"}));
}

} // namespace
