#pragma once
// One table of the report on the page: the widths its columns take, where each cell of a row
// lies, and its HTML. The PDF layout and the HTML both take the geometry from here.
#include "host/results/Report.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace ostrel {

class ReportTable {
public:
    // Where a cell of a row lies, in twips from the table's left edge.
    struct Place {
        std::size_t column = 0;
        std::int32_t leftTwips = 0;
        std::int32_t widthTwips = 0;
        // The row's only text is this, its last cell, short of the last column: it takes the
        // rest of the line, so a heading such as "|{\i\b Limits: ...};" is not squeezed into one
        // narrow column.
        bool spansRest = false;
    };

    ReportTable(const Report::Table& table, std::int32_t printableTwips);

    const Report::Table& Source() const { return m_table; }
    std::int32_t TotalTwips() const { return m_totalTwips; }
    std::int32_t ColumnTwips(std::size_t column) const { return m_widthsTwips.at(column); }
    // The cells of a row in order, up to and including a cell that spans the rest.
    std::vector<Place> Places(const Report::Row& row) const;

    QString Html() const;

private:
    static bool onlyLastCellHasText(const Report::Row& row);
    QString percent(std::int32_t twips) const;
    QString rowHtml(const Report::Row& row, bool heading) const;
    QString cellHtml(const Report::Row& row, const Place& place, bool heading) const;

    const Report::Table& m_table;
    double m_printableTwips;
    std::vector<std::int32_t> m_widthsTwips;
    std::int32_t m_totalTwips = 0;
};

} // namespace ostrel
