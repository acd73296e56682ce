// How the PDF layout engine reads the report's tables: the column widths it ends up with must be
// the widths of the format, whatever the first row looks like.
#include "host/results/Report.h"
#include "tests/support/PdfText.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

using ostrel::Report;

namespace {

// The column widths, in percent of the page, of the first table of the HTML as laid out.
std::vector<double> laidOutColumnPercents(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (QTextTable* table = QTextCursor(block).currentTable()) {
            std::vector<double> percents;
            for (const QTextLength& length : table->format().columnWidthConstraints())
                percents.push_back(length.type() == QTextLength::PercentageLength ? length.rawValue() : -1.0);
            return percents;
        }
    }
    return {};
}

struct LayoutCase {
    const char* name;
    const char* format;
    const char* heading;
    const char* rows;
};

} // namespace

TEST(ReportLayout, ColumnsKeepTheFormatWidthsWhateverTheFirstRow)
{
    // 9637 twips are the printable width of the default page.
    const LayoutCase cases[] = {
        {"plain rows", "<560|<2880|^1440", "", "a|b|c;d|e|f;"},
        {"ruled column heading", "<560|<2880|^1440", "|{\\b Key}|{\\b Value};", "a|b|c;"},
        {"lone heading first", "<560|<2880|^1440", "|{\\i\\b Limits: EXAMPLE-A - a long standard name};", "a|b|c;"},
        {"lone heading, then column heading", "<560|<2880|^1440",
         "|{\\i\\b Configuration};|{\\b Key}|{\\b Value};", "a|b|c;"},
    };
    for (const LayoutCase& c : cases) {
        Report report;
        report.AddTable(QString::fromLatin1(c.format), QString::fromLatin1(c.heading), QString::fromLatin1(c.rows));
        const std::vector<double> percents = laidOutColumnPercents(report.RenderHtml());
        ASSERT_EQ(percents.size(), 3u) << c.name;
        EXPECT_NEAR(percents[0], 560 * 100.0 / 9637, 0.1) << c.name;
        EXPECT_NEAR(percents[1], 2880 * 100.0 / 9637, 0.1) << c.name;
        EXPECT_NEAR(percents[2], 1440 * 100.0 / 9637, 0.1) << c.name;
    }
}

TEST(ReportLayout, PdfTextStartsAtThePageMargins)
{
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    constexpr double kPointsPerMm = 72.0 / 25.4;
    for (const double marginMm : {20.0, 10.0}) {
        Report report;
        report.SetMarginsMm(QMarginsF(marginMm, marginMm, marginMm, marginMm));
        report.SetTitle(QStringLiteral("Margins"));
        const QString pdf = dir.filePath(QStringLiteral("margins.pdf"));
        report.RenderPdf(pdf);
        const QString boxes = ostrel::testing::pdfText(pdf, {QStringLiteral("-bbox")});
        const auto match = QRegularExpression(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Margins<")).match(boxes);
        ASSERT_TRUE(match.hasMatch()) << qPrintable(boxes);
        // No second margin inside the page's own.
        EXPECT_NEAR(match.captured(1).toDouble(), marginMm * kPointsPerMm, 3.0) << marginMm;
        EXPECT_NEAR(match.captured(2).toDouble(), marginMm * kPointsPerMm, 12.0) << marginMm;
    }
}

// Where a word of the PDF lies (pdftotext -bbox): its left and right edge in points.
std::pair<double, double> wordSpan(const QString& boxes, const QString& word)
{
    const auto match = QRegularExpression(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>") +
                                          QRegularExpression::escape(word) + QStringLiteral("<"))
                           .match(boxes);
    return match.hasMatch() ? std::pair{match.captured(1).toDouble(), match.captured(2).toDouble()} : std::pair{-1.0, -1.0};
}

TEST(ReportLayout, PdfCellsStayInTheirColumnsAndAligned)
{
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Report report;
    // A one-line cell longer than its column widens it (the elastic column gives way) instead
    // of running into the next cell; right-aligned cells end at the same edge.
    report.AddTable(QStringLiteral("<560|<800|<+!1000|>1440;"), QString(),
                    QStringLiteral("|Arrhythmia Simulation|Yes|7;|Short|No|1234;"));
    const QString pdf = dir.filePath(QStringLiteral("columns.pdf"));
    report.RenderPdf(pdf);
    const QString boxes = ostrel::testing::pdfText(pdf, {QStringLiteral("-bbox")});
    const auto simulation = wordSpan(boxes, QStringLiteral("Simulation"));
    const auto yes = wordSpan(boxes, QStringLiteral("Yes"));
    const auto no = wordSpan(boxes, QStringLiteral("No"));
    ASSERT_GT(simulation.first, 0) << qPrintable(boxes);
    EXPECT_LT(simulation.second, yes.first) << qPrintable(boxes);
    EXPECT_NEAR(yes.first, no.first, 0.5);
    EXPECT_NEAR(wordSpan(boxes, QStringLiteral("7")).second, wordSpan(boxes, QStringLiteral("1234")).second, 0.5);
}
