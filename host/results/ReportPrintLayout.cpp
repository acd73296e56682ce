#include "host/results/ReportPrintLayout.h"
#include "host/results/CurveChart.h"

#include "host/results/ReportTable.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <numeric>

namespace ostrel {

namespace {

constexpr double kCssPixelsPerInch = 96;
constexpr double kPointsPerInch = 72;
constexpr double kCellPaddingCss = 2;
// Wider at the sides: a wrapped limit text ("... → 76 .. 84") must not run into the next column.
constexpr double kCellSidePaddingCss = 4;
constexpr double kBlockSpaceCss = 6;
constexpr double kTitleScale = 2.0;
constexpr double kHeadingScale = 1.5;
constexpr std::size_t kMaxLaidTexts = 4096;

Qt::Alignment alignmentOf(Report::Align align)
{
    switch (align) {
    case Report::Align::Right:
        return Qt::AlignRight;
    case Report::Align::Centre:
        return Qt::AlignHCenter;
    case Report::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextLayout::FormatRange range(int start, int length, bool bold, bool italic)
{
    QTextLayout::FormatRange format;
    format.start = start;
    format.length = length;
    if (bold)
        format.format.setFontWeight(QFont::Bold);
    if (italic)
        format.format.setFontItalic(true);
    return format;
}

} // namespace

ReportPrintLayout::ReportPrintLayout(QPaintDevice& device, const QFont& font, double width, std::int32_t printableTwips)
    : m_device(device), m_font(font), m_width(width), m_printableTwips(std::max(1, printableTwips))
{
}

double ReportPrintLayout::cssPixels(double pixels) const
{
    return pixels * m_device.logicalDpiY() / kCssPixelsPerInch;
}

QFont ReportPrintLayout::scaledFont(double factor, bool bold) const
{
    QFont font = m_font;
    if (m_font.pointSizeF() > 0)
        font.setPointSizeF(m_font.pointSizeF() * factor);
    else // a font given in pixels (some platforms' default)
        font.setPixelSize(static_cast<int>(m_font.pixelSize() * factor));
    font.setBold(bold);
    return font;
}

ReportPrintLayout::Laid ReportPrintLayout::layOut(const Text& text, const QFont& font, double width, Qt::Alignment align,
                                                  bool wrap) const
{
    QString key = text.text;
    // Every font here is the body font at another size, bold or not.
    key += QChar(0) + QString::number(font.pointSizeF()) + QLatin1Char('/') + QString::number(font.pixelSize()) +
           (font.bold() ? QLatin1Char('b') : QLatin1Char('-')) +
           QString::number(width, 'f', 1) + QLatin1Char(',') + QString::number(align.toInt()) +
           (wrap ? QLatin1Char('w') : QLatin1Char('n'));
    for (const QTextLayout::FormatRange& format : text.formats)
        key += QChar(0) + QString::number(format.start) + QLatin1Char(',') + QString::number(format.length) +
               (format.format.fontWeight() == QFont::Bold ? QLatin1Char('b') : QLatin1Char('-')) +
               (format.format.fontItalic() ? QLatin1Char('i') : QLatin1Char('-'));
    if (const auto found = m_laid.find(key); found != m_laid.end())
        return found->second;

    auto layout = std::make_shared<QTextLayout>(text.text, font, &m_device);
    QTextOption option(align);
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->setFormats(text.formats);
    // Keeps the shaped glyphs, so drawing does not shape the text again.
    layout->setCacheEnabled(true);
    layout->beginLayout();
    double height = 0;
    double naturalWidth = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
        naturalWidth = std::max(naturalWidth, line.naturalTextWidth());
    }
    layout->endLayout();
    if (m_laid.size() >= kMaxLaidTexts)
        m_laid.clear();
    const Laid laid{std::move(layout), height, naturalWidth};
    m_laid.emplace(std::move(key), laid);
    return laid;
}

void ReportPrintLayout::addText(Bands& bands, const Text& text, const QFont& font, double spaceBefore) const
{
    // A band a line, so a text longer than a page runs over to the next between two lines.
    const Laid laid = layOut(text, font, m_width, Qt::AlignLeft, true);
    for (int i = 0; i < laid.layout->lineCount(); ++i) {
        const QTextLine line = laid.layout->lineAt(i);
        ReportBand band;
        band.height = line.height();
        band.spaceBefore = i == 0 ? spaceBefore : 0;
        band.paint = [layout = laid.layout, i, top = line.y()](QPainter& painter) {
            layout->lineAt(i).draw(&painter, QPointF(0, -top));
        };
        bands.push_back(std::move(band));
    }
}

void ReportPrintLayout::AddTitle(Bands& bands, const QString& text) const
{
    addText(bands, {text, {}}, scaledFont(kTitleScale, true), 0);
}

void ReportPrintLayout::AddHeading(Bands& bands, const QString& text) const
{
    addText(bands, {text, {}}, scaledFont(kHeadingScale, true), cssPixels(kBlockSpaceCss + 4));
}

void ReportPrintLayout::AddParagraph(Bands& bands, const QString& text) const
{
    addText(bands, {text, {}}, m_font, cssPixels(kBlockSpaceCss));
}

void ReportPrintLayout::AddChart(Bands& bands, const PressureCurve& curve) const
{
    const QString caption = QString::fromLatin1(CurveChart::kCaption);
    addText(bands, {caption, {range(0, static_cast<int>(caption.size()), true, false)}}, m_font, cssPixels(kBlockSpaceCss));
    const double width = std::min(m_width, cssPixels(CurveChart::kWidthPx));
    const double height = cssPixels(CurveChart::kHeightPx);
    const double labelPixels = height / 20.0;
    bands.push_back({height, cssPixels(kBlockSpaceCss), [curve, width, height, labelPixels](QPainter& painter) {
                         CurveChart(curve).Draw(painter, QRectF(0, 0, width, height), labelPixels);
                     }});
}

void ReportPrintLayout::AddKeyValue(Bands& bands, const QString& key, const QString& value) const
{
    const QString label = key + QLatin1Char(':');
    addText(bands, {label + QLatin1Char(' ') + value, {range(0, static_cast<int>(label.size()), true, false)}}, m_font,
            cssPixels(kBlockSpaceCss));
}

ReportPrintLayout::Text ReportPrintLayout::cellText(const Report::Cell& cell)
{
    Text text;
    for (const Report::Span& span : cell) {
        if (span.bold || span.italic)
            text.formats.push_back(range(static_cast<int>(text.text.size()), static_cast<int>(span.text.size()), span.bold,
                                         span.italic));
        text.text += span.text;
    }
    return text;
}

std::vector<double> ReportPrintLayout::columnWidths(const ReportTable& table, const QFont& font, double padding) const
{
    const Report::Table& source = table.Source();
    // Twips to pixels; a table wider than the page is narrowed to it.
    const double scale = m_width / std::max(m_printableTwips, table.TotalTwips());
    std::vector<double> widths;
    std::vector<double> needed;
    for (std::size_t i = 0; i < source.columns.size(); ++i) {
        widths.push_back(table.ColumnTwips(i) * scale);
        needed.push_back(0);
    }
    // A cell kept on one line widens its column as far as its text needs, at the cost of the
    // elastic columns.
    for (const auto* rows : {&source.heading, &source.rows}) {
        for (const Report::Row& row : *rows) {
            for (const ReportTable::Place& place : table.Places(row)) {
                if (source.columns[place.column].wrap || place.spansRest || place.column >= row.size() || row[place.column].empty())
                    continue;
                const double width = layOut(cellText(row[place.column]), font, m_width, Qt::AlignLeft, false).width;
                needed[place.column] = std::max(needed[place.column], width + 2 * padding);
            }
        }
    }
    for (std::size_t i = 0; i < widths.size(); ++i) {
        double grow = needed[i] - widths[i];
        if (grow <= 0)
            continue;
        widths[i] = needed[i];
        for (std::size_t e = 0; e < widths.size() && grow > 0; ++e) {
            if (e == i || !source.columns[e].elastic)
                continue;
            const double room = std::max(0.0, widths[e] - std::max(needed[e], source.columns[e].widthTwips * scale));
            const double taken = std::min(room, grow);
            widths[e] -= taken;
            grow -= taken;
        }
    }
    return widths;
}

ReportBand ReportPrintLayout::rowBand(const ReportTable& table, const std::vector<double>& widths, const Report::Row& row,
                                      bool heading, const QFont& font) const
{
    struct Cell {
        std::shared_ptr<const QTextLayout> layout;
        double left;
    };
    const Report::Table& source = table.Source();
    const double padding = cssPixels(kCellPaddingCss);
    const double side = cssPixels(kCellSidePaddingCss);
    std::vector<Cell> cells;
    double textHeight = 0;
    double left = 0;
    for (const ReportTable::Place& place : table.Places(row)) {
        const Report::Column& column = source.columns[place.column];
        double width = widths[place.column];
        if (place.spansRest)
            width = std::accumulate(widths.begin() + static_cast<std::ptrdiff_t>(place.column), widths.end(), 0.0);
        const double cellLeft = left;
        left += width;
        if (place.column >= row.size() || row[place.column].empty())
            continue;
        const double inner = std::max(1.0, width - 2 * side);
        const Text text = cellText(row[place.column]);
        if (column.wrap || place.spansRest) {
            Laid laid = layOut(text, font, inner, alignmentOf(column.align), true);
            textHeight = std::max(textHeight, laid.height);
            cells.push_back({std::move(laid.layout), cellLeft + side});
            continue;
        }
        // One line, laid out once whatever the column's width, and placed by its alignment.
        Laid laid = layOut(text, font, m_width, Qt::AlignLeft, false);
        double offset = 0;
        if (column.align == Report::Align::Right)
            offset = inner - laid.width;
        else if (column.align == Report::Align::Centre)
            offset = (inner - laid.width) / 2;
        textHeight = std::max(textHeight, laid.height);
        cells.push_back({std::move(laid.layout), cellLeft + side + std::max(0.0, offset)});
    }
    if (textHeight == 0)
        textHeight = QFontMetricsF(font, &m_device).height();
    ReportBand band;
    band.height = textHeight + 2 * padding;
    const bool ruled = heading && source.ruled != 0;
    const double rule = cssPixels(1);
    band.paint = [cells = std::move(cells), padding, ruled, rule, right = left, height = band.height](QPainter& painter) {
        for (const Cell& cell : cells)
            cell.layout->draw(&painter, QPointF(cell.left, padding));
        if (ruled) {
            painter.setPen(QPen(Qt::black, rule));
            painter.drawLine(QLineF(0, height - rule / 2, right, height - rule / 2));
        }
    };
    return band;
}

void ReportPrintLayout::AddTable(Bands& bands, const Report::Table& source) const
{
    const ReportTable table(source, m_printableTwips);
    QFont font = m_font;
    font.setPointSizeF(source.fontSize);
    const std::vector<double> widths = columnWidths(table, font, cssPixels(kCellSidePaddingCss));
    const std::size_t first = bands.size();
    for (const Report::Row& row : source.heading)
        bands.push_back(rowBand(table, widths, row, true, font));
    for (const Report::Row& row : source.rows)
        bands.push_back(rowBand(table, widths, row, false, font));
    // The space before the table goes before its first row only.
    if (first < bands.size())
        bands[first].spaceBefore = source.spaceBefore * m_device.logicalDpiY() / kPointsPerInch;
}

} // namespace ostrel
