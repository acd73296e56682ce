#include "host/results/Report.h"

#include "host/core/ComError.h"
#include "host/core/LanguageService.h"
#include "host/results/CurveChart.h"
#include "host/results/ReportPager.h"
#include "host/results/ReportPrintLayout.h"
#include "host/results/ReportTable.h"
#include "host/core/BasicNumber.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace ostrel {

namespace {

constexpr std::int32_t kDefaultColumnTwips = 1440;
constexpr std::int32_t kMaxColumnTwips = 1440 * 100;
constexpr double kMmPerInch = 25.4;

QString cellPlainText(const Report::Cell& cell)
{
    QString text;
    for (const auto& span : cell)
        text += span.text;
    return text;
}

} // namespace

Report::Report() = default;

void Report::SetFontSize(std::int32_t points)
{
    m_fontSize = std::clamp(points, 1, 200);
}

std::int32_t Report::printableWidthTwips() const
{
    const double widthMm = m_pageSize.size(QPageSize::Millimeter).width() - m_marginsMm.left() - m_marginsMm.right();
    return std::max(0, static_cast<std::int32_t>(widthMm / kMmPerInch * kTwipsPerInch));
}

std::int32_t Report::Width(std::int32_t)
{
    // The page's printable width does not depend on the font size; tables scale their text.
    return printableWidthTwips();
}

QString Report::Translate(const QString& module, const QString& text)
{
    return LanguageService::instance().Translate(module, text);
}

QString Report::CellText(const QString& text)
{
    QString safe = text;
    safe.replace(QLatin1Char('|'), QLatin1Char('/'));
    safe.replace(QLatin1Char(';'), QLatin1Char(','));
    safe.replace(QLatin1Char('{'), QLatin1Char('('));
    safe.replace(QLatin1Char('}'), QLatin1Char(')'));
    return safe;
}

std::vector<Report::Column> Report::ParseFormat(const QString& format)
{
    std::vector<Column> columns;
    const QString firstRow = format.section(QLatin1Char(';'), 0, 0);
    if (firstRow.trimmed().isEmpty())
        return columns;
    for (const QString& rawCell : firstRow.split(QLatin1Char('|'))) {
        const QString cell = rawCell.trimmed();
        Column column;
        int pos = 0;
        if (pos < cell.size()) {
            const QChar c = cell.at(pos);
            if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('^')) {
                column.align = c == QLatin1Char('>') ? Align::Right : c == QLatin1Char('^') ? Align::Centre : Align::Left;
                ++pos;
            }
        }
        for (; pos < cell.size(); ++pos) {
            if (cell.at(pos) == QLatin1Char('+'))
                column.wrap = true;
            else if (cell.at(pos) == QLatin1Char('!'))
                column.elastic = true;
            else
                break;
        }
        const QString width = cell.mid(pos);
        column.widthTwips = width.isEmpty() ? kDefaultColumnTwips
                                            : static_cast<std::int32_t>(std::clamp(leadingNumber(width), 0.0,
                                                                                   double(kMaxColumnTwips)));
        columns.push_back(column);
    }
    return columns;
}

Report::Cell Report::ParseCell(const QString& cell)
{
    Cell spans;
    QString plain;
    auto flushPlain = [&] {
        if (!plain.isEmpty())
            spans.push_back({plain, false, false});
        plain.clear();
    };
    int pos = 0;
    while (pos < cell.size()) {
        const QChar c = cell.at(pos);
        if (c != QLatin1Char('{')) {
            if (c != QLatin1Char('}'))
                plain += c;
            ++pos;
            continue;
        }
        flushPlain();
        Span span;
        ++pos;
        // Control words: "\i" italic, "\b" bold; others are read and ignored.
        while (pos < cell.size() && cell.at(pos) == QLatin1Char('\\')) {
            ++pos;
            QString word;
            while (pos < cell.size() && cell.at(pos).isLetter())
                word += cell.at(pos++);
            if (word == QLatin1String("i"))
                span.italic = true;
            else if (word == QLatin1String("b"))
                span.bold = true;
        }
        if (pos < cell.size() && cell.at(pos) == QLatin1Char(' '))
            ++pos;
        const int end = cell.indexOf(QLatin1Char('}'), pos);
        span.text = cell.mid(pos, end < 0 ? -1 : end - pos);
        span.text.remove(QLatin1Char('{'));
        pos = end < 0 ? static_cast<int>(cell.size()) : end + 1;
        if (!span.text.isEmpty())
            spans.push_back(span);
    }
    flushPlain();
    return spans;
}

std::vector<Report::Row> Report::ParseRows(const QString& rows)
{
    std::vector<Row> parsed;
    for (const QString& rowText : rows.split(QLatin1Char(';'))) {
        if (rowText.isEmpty())
            continue;
        Row row;
        for (const QString& cell : rowText.split(QLatin1Char('|')))
            row.push_back(ParseCell(cell));
        parsed.push_back(std::move(row));
    }
    return parsed;
}

void Report::AddTable(const QString& format, const QString& heading, const QString& rows, const Variant&, const Variant&,
                      const Variant&)
{
    Table table;
    table.columns = ParseFormat(format);
    table.heading = ParseRows(heading);
    table.rows = ParseRows(rows);
    if (table.heading.empty() && table.rows.empty())
        return;
    table.fontSize = m_fontSize;
    table.spaceBefore = m_spaceBefore;
    table.ruled = m_ruled;
    std::size_t cells = 0;
    for (const auto* group : {&table.heading, &table.rows}) {
        for (const Row& row : *group)
            cells = std::max(cells, row.size());
    }
    while (table.columns.size() < cells)
        table.columns.push_back(Column{});
    m_tables.push_back(std::move(table));
    m_blocks.push_back({Block::Kind::Table, QString(), QString(), m_tables.size() - 1});
}

void Report::AddHeading(const QString& text)
{
    m_blocks.push_back({Block::Kind::Heading, text, QString(), 0});
}

void Report::AddParagraph(const QString& text)
{
    m_blocks.push_back({Block::Kind::Paragraph, text, QString(), 0});
}

void Report::AddKeyValue(const QString& key, const QString& value)
{
    m_blocks.push_back({Block::Kind::KeyValue, key, value, 0});
}

void Report::AddChart(const PressureCurve& curve)
{
    if (!curve.IsEmpty())
        m_blocks.push_back({Block::Kind::Chart, QString::fromLatin1(CurveChart::kCaption), QString(), 0, curve});
}

void Report::Clear()
{
    m_blocks.clear();
    m_tables.clear();
    m_title.clear();
}

const std::vector<Report::Table>& Report::Tables() const
{
    return m_tables;
}

QString Report::TableHtml(std::size_t index) const
{
    return index < m_tables.size() ? ReportTable(m_tables[index], printableWidthTwips()).Html() : QString();
}

QString Report::blockHtml(const Block& block) const
{
    switch (block.kind) {
    case Block::Kind::Heading:
        return QStringLiteral("<h2>%1</h2>\n").arg(block.text.toHtmlEscaped());
    case Block::Kind::Paragraph:
        return QStringLiteral("<p>%1</p>\n").arg(block.text.toHtmlEscaped());
    case Block::Kind::KeyValue:
        return QStringLiteral("<p><b>%1:</b> %2</p>\n").arg(block.text.toHtmlEscaped(), block.value.toHtmlEscaped());
    case Block::Kind::Table:
        return ReportTable(m_tables.at(block.table), printableWidthTwips()).Html();
    case Block::Kind::Chart:
        return CurveChart(block.curve).Html();
    }
    return QString();
}

QString Report::RenderHtml() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteHtml(buffer);
    return QString::fromUtf8(bytes);
}

void Report::WriteHtml(QIODevice& out) const
{
    const auto write = [&out](const QString& html) { out.write(html.toUtf8()); };
    write(QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n</head>\n<body>\n")
              .arg(m_title.toHtmlEscaped()));
    if (!m_title.isEmpty())
        write(QStringLiteral("<h1>%1</h1>\n").arg(m_title.toHtmlEscaped()));
    for (const Block& block : m_blocks)
        write(blockHtml(block));
    write(QStringLiteral("</body>\n</html>\n"));
}

std::vector<std::size_t> Report::pieceStarts() const
{
    // Block indices; the title, when there is one, is a piece before block 0.
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 1; i < m_blocks.size(); ++i)
        if (m_blocks[i].kind == Block::Kind::Heading)
            starts.push_back(i);
    return starts;
}

void Report::addBlockBands(const ReportPrintLayout& layout, const Block& block, std::vector<ReportBand>& bands) const
{
    switch (block.kind) {
    case Block::Kind::Heading:
        layout.AddHeading(bands, block.text);
        return;
    case Block::Kind::Paragraph:
        layout.AddParagraph(bands, block.text);
        return;
    case Block::Kind::KeyValue:
        layout.AddKeyValue(bands, block.text, block.value);
        return;
    case Block::Kind::Table:
        layout.AddTable(bands, m_tables.at(block.table));
        return;
    case Block::Kind::Chart:
        layout.AddChart(bands, block.curve);
        return;
    }
}

std::vector<ReportBand> Report::pieceBands(const ReportPrintLayout& layout, const std::vector<std::size_t>& starts,
                                           std::size_t piece) const
{
    std::vector<ReportBand> bands;
    if (!m_title.isEmpty()) {
        if (piece == 0) {
            layout.AddTitle(bands, m_title);
            return bands;
        }
        --piece;
    }
    const std::size_t end = piece + 1 < starts.size() ? starts[piece + 1] : m_blocks.size();
    for (std::size_t i = starts[piece]; i < end; ++i)
        addBlockBands(layout, m_blocks[i], bands);
    return bands;
}

void Report::printPages(QPagedPaintDevice& writer) const
{
    // Laid out on the writer's own printable area, less a header line and a footer line.
    const QFont font(QGuiApplication::font(), &writer);
    const QRectF area = writer.pageLayout().paintRectPixels(writer.logicalDpiX());
    const double line = QFontMetricsF(font, &writer).height();
    const QRectF header(0, 0, area.width(), line * 1.5);
    const QRectF footer(0, area.height() - line * 1.5, area.width(), line * 1.5);
    const QRectF body(0, header.bottom() + line, area.width(), std::max(1.0, footer.top() - header.bottom() - 2 * line));

    const std::vector<std::size_t> starts = pieceStarts();
    const std::size_t pieces = starts.size() + (m_title.isEmpty() ? 0 : 1);
    const ReportPrintLayout layout(writer, font, body.width(), printableWidthTwips());
    const auto bands = [&](std::size_t piece) { return pieceBands(layout, starts, piece); };
    const ReportPager pager(body, line * 0.75);
    const int pageCount = pager.CountPages(pieces, bands);

    QPainter painter(&writer);
    painter.setFont(font);
    pager.Draw(pieces, bands, painter, [&](int page) {
        if (page > 0)
            writer.newPage();
        painter.drawText(header, Qt::AlignLeft | Qt::AlignTop, m_title);
        painter.drawText(header, Qt::AlignRight | Qt::AlignTop, m_pageNote);
        painter.drawLine(QLineF(header.bottomLeft(), header.bottomRight()));
        painter.drawLine(QLineF(footer.topLeft(), footer.topRight()));
        painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Page ") + QString::number(page + 1) + QStringLiteral(" of ") + QString::number(pageCount));
    });
}

void Report::RenderTo(QPagedPaintDevice& device) const
{
    device.setPageSize(m_pageSize);
    device.setPageMargins(m_marginsMm, QPageLayout::Millimeter);
    printPages(device);
}

void Report::RenderPdf(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ComError(kErrFileNotFound, kSource,
                       QStringLiteral("The report cannot be written to \"%1\": %2").arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setTitle(m_title);
        writer.setCreator(QStringLiteral("Ostrel"));
        RenderTo(writer);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw ComError(kE_Fail, kSource,
                       QStringLiteral("The report could not be completed in \"%1\": %2").arg(path, file.errorString()));
}

QString Report::DocumentText() const
{
    QStringList lines;
    if (!m_title.isEmpty())
        lines << m_title;
    for (const Block& block : m_blocks) {
        switch (block.kind) {
        case Block::Kind::Heading:
        case Block::Kind::Paragraph:
        case Block::Kind::Chart:
            lines << block.text;
            break;
        case Block::Kind::KeyValue:
            lines << block.text + QStringLiteral(": ") + block.value;
            break;
        case Block::Kind::Table: {
            const Table& table = m_tables.at(block.table);
            for (const auto* group : {&table.heading, &table.rows}) {
                for (const Row& row : *group) {
                    QStringList cells;
                    for (const Cell& cell : row)
                        cells << cellPlainText(cell);
                    QString line = cells.join(QLatin1Char('\t'));
                    while (!line.isEmpty() && line.back().isSpace())
                        line.chop(1);
                    lines << line;
                }
            }
            break;
        }
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace ostrel
