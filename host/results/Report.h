#pragma once
// The report the elements print into, and its renderer. Tables are written in the report table
// language (docs/report.md); the application adds a title and header lines and renders the
// whole to HTML or to a PDF file.
#include "host/contract/IReport.h"
#include "host/results/PressureCurve.h"

#include <QIODevice>
#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <vector>

class QPagedPaintDevice;

namespace ostrel {

struct ReportBand;
class ReportPrintLayout;

class Report : public IReport {
public:
    static constexpr char kSource[] = "Ostrel.Report";
    static constexpr std::int32_t kTwipsPerPoint = 20;
    static constexpr std::int32_t kTwipsPerInch = 1440;

    enum class Align { Left, Right, Centre };
    struct Column {
        Align align = Align::Left;
        bool wrap = false;    // "+": the text may wrap inside the column
        bool elastic = false; // "!": the column takes up the rest of the printable width
        std::int32_t widthTwips = 0;
    };
    struct Span {
        QString text;
        bool bold = false;
        bool italic = false;
    };
    using Cell = std::vector<Span>;
    using Row = std::vector<Cell>;
    struct Table {
        std::vector<Column> columns;
        std::vector<Row> heading;
        std::vector<Row> rows;
        std::int32_t fontSize = 10;
        std::int32_t spaceBefore = 0;
        std::int32_t ruled = 0;
    };

    Report();

    // IReport
    void SetFontSize(std::int32_t points) override;
    std::int32_t FontSize() override { return m_fontSize; }
    std::int32_t Width(std::int32_t fontSize) override;
    void SetSpaceBefore(std::int32_t points) override { m_spaceBefore = points; }
    void SetRuled(std::int32_t value) override { m_ruled = value; }
    void AddTable(const QString& format, const QString& heading, const QString& rows, const Variant& a = Variant(),
                  const Variant& b = Variant(), const Variant& c = Variant()) override;
    std::int32_t PrintOptions() override { return m_printOptions; }
    QString Translate(const QString& module, const QString& text) override;

    // For the application.
    void SetPrintOptions(std::int32_t options) { m_printOptions = options; }
    void SetTitle(const QString& title) { m_title = title; }
    QString Title() const { return m_title; }
    // What every page of the PDF names besides the title in its header (the device, ...).
    void SetPageNote(const QString& note) { m_pageNote = note; }
    QString PageNote() const { return m_pageNote; }
    void AddHeading(const QString& text);
    void AddParagraph(const QString& text);
    void AddKeyValue(const QString& key, const QString& value);
    // A run's pressure curve, drawn as a vector chart under its caption.
    void AddChart(const PressureCurve& curve);
    void SetPageSize(const QPageSize& size) { m_pageSize = size; }
    void SetMarginsMm(const QMarginsF& margins) { m_marginsMm = margins; }
    QPageSize PageSize() const { return m_pageSize; }
    QMarginsF MarginsMm() const { return m_marginsMm; }
    void Clear();

    QString RenderHtml() const;
    // The same HTML written piece by piece as UTF-8: a large report is never held whole.
    void WriteHtml(QIODevice& out) const;
    // The HTML of one table (as RenderHtml writes it).
    QString TableHtml(std::size_t index) const;
    // Fails with a ComError naming the file when it cannot be written.
    void RenderPdf(const QString& path) const;
    // Lays the report out on any paged device (a printer, a print preview) with the report's
    // page size and margins.
    void RenderTo(QPagedPaintDevice& device) const;
    // The text of the whole document: lines, cells separated by tabs.
    QString DocumentText() const;

    const std::vector<Table>& Tables() const;

    // A text made safe for one cell: the language's own characters ("|", ";", "{", "}") are
    // replaced by look-alikes.
    static QString CellText(const QString& text);

    // The table language on its own (exposed for tests and the fuzzer).
    static std::vector<Column> ParseFormat(const QString& format);
    static std::vector<Row> ParseRows(const QString& rows);
    static Cell ParseCell(const QString& cell);

private:
    struct Block {
        enum class Kind { Heading, Paragraph, KeyValue, Table, Chart } kind = Kind::Paragraph;
        QString text;
        QString value;
        std::size_t table = 0;
        PressureCurve curve;
    };
    QString blockHtml(const Block& block) const;
    void printPages(QPagedPaintDevice& writer) const;
    // The PDF is laid out in pieces: the title, then each heading with the blocks after it.
    std::vector<std::size_t> pieceStarts() const;
    std::vector<ReportBand> pieceBands(const ReportPrintLayout& layout, const std::vector<std::size_t>& starts,
                                       std::size_t piece) const;
    void addBlockBands(const ReportPrintLayout& layout, const Block& block, std::vector<ReportBand>& bands) const;
    std::int32_t printableWidthTwips() const;

    std::int32_t m_fontSize = 10;
    std::int32_t m_spaceBefore = 0;
    std::int32_t m_ruled = 0;
    std::int32_t m_printOptions = 0;
    QString m_title;
    QString m_pageNote;
    QPageSize m_pageSize{QPageSize::A4};
    QMarginsF m_marginsMm{20, 20, 20, 20};
    std::vector<Block> m_blocks;
    std::vector<Table> m_tables;
};

} // namespace ostrel
