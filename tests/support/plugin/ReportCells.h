#pragma once
// What a report table shows: the texts of its rows (or heading), cell by cell, trimmed.
#include "host/results/Report.h"

#include <QStringList>
#include <vector>

namespace nb4410::testing {

inline std::vector<QStringList> cellTexts(const std::vector<ostrel::Report::Row>& rows)
{
    std::vector<QStringList> texts;
    for (const auto& row : rows) {
        QStringList cells;
        for (const auto& cell : row) {
            QString text;
            for (const auto& span : cell)
                text += span.text;
            cells << text.trimmed();
        }
        texts.push_back(cells);
    }
    return texts;
}

} // namespace nb4410::testing
