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
        std::make_shared<FakeMeasurement>(QStringLiteral("FLAG"), QStringLiteral("A yes/no"), Variant(false), Variant(),
                                          QString(), 5),
    };
    // The plug-in's words for a value win over yes/no.
    element->result().measurements[1]->readable = QStringLiteral("Not released");
    const StandardsCatalog catalog;
    ElementPanel panel(catalog);
    panel.ShowElement(element, {});
    const QTableWidget& grid = *panel.Measurements();
    QStringList headers;
    for (int column = 0; column < grid.columnCount(); ++column)
        headers << grid.horizontalHeaderItem(column)->text();
    EXPECT_EQ(headers, (QStringList{"Measurement", "Key", "Value", "Unit", "Preset value", "Limits applied", "Verdict"}));
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(rowTexts(grid, 0), (QStringList{"Monitor Release Pressure", "PEAK", "312", "mmHg", "", "", "Not judged"}));
    EXPECT_EQ(rowTexts(grid, 1), (QStringList{"Monitor Release", "MREL", "Not released", "", "", "", "Not judged"}));
    EXPECT_EQ(rowTexts(grid, 2), (QStringList{"A yes/no", "FLAG", "No", "", "", "", "Not judged"}));
}

} // namespace
