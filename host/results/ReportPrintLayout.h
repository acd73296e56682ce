#pragma once
// The report's blocks laid out for a paged device (a PDF, a printer) as bands for ReportPager:
// the title, headings, paragraphs, key/value lines and the rows of tables, measured with the
// device's own font metrics. Each text is laid out once per band and drawn from that layout.
#include "host/results/Report.h"
#include "host/results/ReportPager.h"

#include <QFont>
#include <QTextLayout>
#include <unordered_map>

class QPaintDevice;

namespace ostrel {

class ReportTable;

class ReportPrintLayout {
public:
    using Bands = std::vector<ReportBand>;

    // font: the body font for the device; width: the printable width in the device's pixels,
    // printableTwips the same width in twips (tables give their columns in twips).
    ReportPrintLayout(QPaintDevice& device, const QFont& font, double width, std::int32_t printableTwips);

    void AddTitle(Bands& bands, const QString& text) const;
    void AddHeading(Bands& bands, const QString& text) const;
    void AddParagraph(Bands& bands, const QString& text) const;
    void AddKeyValue(Bands& bands, const QString& key, const QString& value) const;
    void AddTable(Bands& bands, const Report::Table& table) const;
    // A pressure curve under its caption, drawn as vector paths.
    void AddChart(Bands& bands, const PressureCurve& curve) const;

private:
    struct Text {
        QString text;
        QList<QTextLayout::FormatRange> formats;
    };
    static Text cellText(const Report::Cell& cell);
    void addText(Bands& bands, const Text& text, const QFont& font, double spaceBefore) const;
    struct Laid {
        std::shared_ptr<const QTextLayout> layout;
        double height = 0;
        double width = 0; // of the longest line
    };
    // Laid out once and kept for the texts that repeat (captions, units, verdicts): a layout
    // draws anywhere. The store is emptied when full, so its memory stays bounded.
    Laid layOut(const Text& text, const QFont& font, double width, Qt::Alignment align, bool wrap) const;
    std::vector<double> columnWidths(const ReportTable& table, const QFont& font, double padding) const;
    ReportBand rowBand(const ReportTable& table, const std::vector<double>& widths, const Report::Row& row, bool heading,
                       const QFont& font) const;
    QFont scaledFont(double factor, bool bold) const;
    // A length given in CSS pixels (1/96 inch), in the device's pixels.
    double cssPixels(double pixels) const;

    QPaintDevice& m_device;
    QFont m_font;
    double m_width;
    std::int32_t m_printableTwips;
    mutable std::unordered_map<QString, Laid> m_laid;
};

} // namespace ostrel
