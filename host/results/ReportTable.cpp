#include "host/results/ReportTable.h"

#include <algorithm>

namespace ostrel {

namespace {

// Escaped for HTML, with leading blanks kept (the report's rows indent with them).
QString htmlText(const QString& text)
{
    int leading = 0;
    while (leading < text.size() && text.at(leading) == QLatin1Char(' '))
        ++leading;
    QString html;
    for (int i = 0; i < leading; ++i)
        html += QStringLiteral("&nbsp;");
    return html + text.mid(leading).toHtmlEscaped();
}

QString spanHtml(const Report::Span& span)
{
    QString html = htmlText(span.text);
    if (span.italic)
        html = QStringLiteral("<i>") + html + QStringLiteral("</i>");
    if (span.bold)
        html = QStringLiteral("<b>") + html + QStringLiteral("</b>");
    return html;
}

QString alignName(Report::Align align)
{
    switch (align) {
    case Report::Align::Right:
        return QStringLiteral("right");
    case Report::Align::Centre:
        return QStringLiteral("center");
    case Report::Align::Left:
        break;
    }
    return QStringLiteral("left");
}

} // namespace

ReportTable::ReportTable(const Report::Table& table, std::int32_t printableTwips)
    : m_table(table), m_printableTwips(std::max(1, printableTwips))
{
    std::int32_t fixedTwips = 0;
    for (const Report::Column& column : table.columns) {
        if (!column.elastic)
            fixedTwips += column.widthTwips;
    }
    for (const Report::Column& column : table.columns) {
        std::int32_t width = column.widthTwips;
        if (column.elastic)
            width = std::max(width, static_cast<std::int32_t>(m_printableTwips) - fixedTwips);
        m_widthsTwips.push_back(width);
        m_totalTwips += width;
    }
}

bool ReportTable::onlyLastCellHasText(const Report::Row& row)
{
    for (std::size_t j = 0; j + 1 < row.size(); ++j) {
        if (!row[j].empty())
            return false;
    }
    return !row.empty();
}

std::vector<ReportTable::Place> ReportTable::Places(const Report::Row& row) const
{
    std::vector<Place> places;
    const std::size_t columns = m_table.columns.size();
    const bool spanning = row.size() < columns && onlyLastCellHasText(row);
    std::int32_t left = 0;
    for (std::size_t i = 0; i < columns; ++i) {
        Place place{i, left, m_widthsTwips[i], spanning && i + 1 == row.size()};
        if (place.spansRest) {
            place.widthTwips = m_totalTwips - left;
            places.push_back(place);
            break;
        }
        places.push_back(place);
        left += m_widthsTwips[i];
    }
    return places;
}

QString ReportTable::percent(std::int32_t twips) const
{
    return QString::number(twips * 100.0 / m_printableTwips, 'f', 1);
}

QString ReportTable::cellHtml(const Report::Row& row, const Place& place, bool heading) const
{
    const Report::Column& column = m_table.columns[place.column];
    QString style;
    if (!column.wrap && !place.spansRest)
        style += QStringLiteral("white-space: nowrap;");
    if (heading && m_table.ruled != 0)
        style += QStringLiteral(" border-bottom: 1px solid #000000;");
    // A spanning cell states no width: the PDF layout takes the column widths from the first
    // row and would spread a spanning cell's width evenly over its columns.
    QString html = QStringLiteral("<td");
    if (!place.spansRest)
        html += QStringLiteral(" width=\"") + percent(place.widthTwips) + QStringLiteral("%\"");
    html += QStringLiteral(" align=\"") + alignName(column.align) + QLatin1Char('"');
    if (place.spansRest)
        html += QStringLiteral(" colspan=\"") + QString::number(m_table.columns.size() - place.column) + QLatin1Char('"');
    if (!style.isEmpty())
        html += QStringLiteral(" style=\"") + style.trimmed() + QLatin1Char('"');
    html += QLatin1Char('>');
    if (place.column < row.size()) {
        for (const Report::Span& span : row[place.column])
            html += spanHtml(span);
    }
    return html + QStringLiteral("</td>");
}

QString ReportTable::rowHtml(const Report::Row& row, bool heading) const
{
    QString html = QStringLiteral("<tr>");
    for (const Place& place : Places(row))
        html += cellHtml(row, place, heading);
    return html + QStringLiteral("</tr>\n");
}

QString ReportTable::Html() const
{
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" width=\"") + percent(m_totalTwips) +
                   QStringLiteral("%\" style=\"margin-top: ") + QString::number(m_table.spaceBefore) +
                   QStringLiteral("pt; font-size: ") + QString::number(m_table.fontSize) + QStringLiteral("pt\">\n");
    for (const Report::Row& row : m_table.heading)
        html += rowHtml(row, true);
    for (const Report::Row& row : m_table.rows)
        html += rowHtml(row, false);
    return html + QStringLiteral("</table>\n");
}

} // namespace ostrel
