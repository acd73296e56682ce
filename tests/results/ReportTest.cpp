// The report table language, its HTML and its PDF.
#include "host/results/Report.h"
#include "tests/support/Failures.h"
#include "tests/support/PdfText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

// The measurement table a leak result prints: an indent column, the description, preset, value
// and unit, an elastic column and a closing indent.
void addMeasurementTable(Report& report)
{
    const std::int32_t w = (report.Width(10) - 3360) / 4;
    const QString format = QStringLiteral("<+560|<2240|>+%1|>+%1|^+%1|<+!%1|<+560;").arg(w);
    report.SetFontSize(10);
    report.SetSpaceBefore(0);
    report.SetRuled(1);
    report.AddTable(format, QStringLiteral("|{\\i\\b Result:}||{\\i\\b Value}|{\\i\\b Unit};"),
                    QStringLiteral("|      Pressure Drop|<12>|7|mmHg;|      Leak Rate||3.5|mmHg/min;"));
}

} // namespace

TEST(ReportLanguage, ParsesFormatCells)
{
    const auto columns = Report::ParseFormat(QStringLiteral("<+560|>2240|^+!100|1200;ignored"));
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].align, Report::Align::Left);
    EXPECT_TRUE(columns[0].wrap);
    EXPECT_FALSE(columns[0].elastic);
    EXPECT_EQ(columns[0].widthTwips, 560);
    EXPECT_EQ(columns[1].align, Report::Align::Right);
    EXPECT_FALSE(columns[1].wrap);
    EXPECT_EQ(columns[2].align, Report::Align::Centre);
    EXPECT_TRUE(columns[2].wrap);
    EXPECT_TRUE(columns[2].elastic);
    EXPECT_EQ(columns[3].align, Report::Align::Left);
    EXPECT_EQ(columns[3].widthTwips, 1200);
    EXPECT_TRUE(Report::ParseFormat(QString()).empty());
    EXPECT_EQ(Report::ParseFormat(QStringLiteral("<-5|>x;"))[0].widthTwips, 0);
}

TEST(ReportLanguage, ParsesRowsCellsAndBoldItalicText)
{
    const auto rows = Report::ParseRows(QStringLiteral("|{\\i\\b Result:} tail;a|b;;last"));
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_EQ(rows[0].size(), 2u);
    EXPECT_TRUE(rows[0][0].empty());
    ASSERT_EQ(rows[0][1].size(), 2u);
    EXPECT_EQ(rows[0][1][0].text, QStringLiteral("Result:"));
    EXPECT_TRUE(rows[0][1][0].bold);
    EXPECT_TRUE(rows[0][1][0].italic);
    EXPECT_EQ(rows[0][1][1].text, QStringLiteral(" tail"));
    EXPECT_FALSE(rows[0][1][1].bold);
    EXPECT_EQ(rows[2][0][0].text, QStringLiteral("last"));

    const auto unclosed = Report::ParseCell(QStringLiteral("{\\b open"));
    ASSERT_EQ(unclosed.size(), 1u);
    EXPECT_EQ(unclosed[0].text, QStringLiteral("open"));
    EXPECT_TRUE(unclosed[0].bold);
    EXPECT_FALSE(unclosed[0].italic);
}

TEST(ReportLanguage, CellTextCannotBreakTheTable)
{
    const QString safe = Report::CellText(QStringLiteral("a|b;c{d}"));
    EXPECT_EQ(Report::ParseRows(QStringLiteral("|") + safe + QStringLiteral(";")).at(0).size(), 2u);
}

TEST(Report, WidthIsThePrintableWidthInTwips)
{
    Report report;
    // A4 (210 mm) less two margins of 20 mm: 170 mm.
    EXPECT_EQ(report.Width(10), 9637);
    report.SetMarginsMm(QMarginsF(25.4, 10, 25.4, 10));
    EXPECT_EQ(report.Width(8), static_cast<std::int32_t>((210 - 50.8) / 25.4 * 1440));
}

TEST(Report, EmptyTablesAreNotAdded)
{
    Report report;
    report.AddTable(QStringLiteral("<1000;"), QString(), QString());
    EXPECT_TRUE(report.Tables().empty());
}

TEST(Report, RendersAKnownTableToGoldenHtml)
{
    Report report;
    report.SetTitle(QStringLiteral("Leak <test>"));
    addMeasurementTable(report);
    const QString expected = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Leak &lt;test&gt;</title>\n</head>\n<body>\n"
        "<h1>Leak &lt;test&gt;</h1>\n"
        "<table cellspacing=\"0\" cellpadding=\"2\" width=\"100.0%\" style=\"margin-top: 0pt; font-size: 10pt\">\n"
        "<tr><td width=\"5.8%\" align=\"left\" style=\"border-bottom: 1px solid #000000;\"></td>"
        "<td width=\"23.2%\" align=\"left\" style=\"white-space: nowrap; border-bottom: 1px solid #000000;\"><b><i>Result:</i></b></td>"
        "<td width=\"16.3%\" align=\"right\" style=\"border-bottom: 1px solid #000000;\"></td>"
        "<td width=\"16.3%\" align=\"right\" style=\"border-bottom: 1px solid #000000;\"><b><i>Value</i></b></td>"
        "<td width=\"16.3%\" align=\"center\" style=\"border-bottom: 1px solid #000000;\"><b><i>Unit</i></b></td>"
        "<td width=\"16.3%\" align=\"left\" style=\"border-bottom: 1px solid #000000;\"></td>"
        "<td width=\"5.8%\" align=\"left\" style=\"border-bottom: 1px solid #000000;\"></td></tr>\n"
        "<tr><td width=\"5.8%\" align=\"left\"></td>"
        "<td width=\"23.2%\" align=\"left\" style=\"white-space: nowrap;\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Pressure Drop</td>"
        "<td width=\"16.3%\" align=\"right\">&lt;12&gt;</td>"
        "<td width=\"16.3%\" align=\"right\">7</td>"
        "<td width=\"16.3%\" align=\"center\">mmHg</td>"
        "<td width=\"16.3%\" align=\"left\"></td>"
        "<td width=\"5.8%\" align=\"left\"></td></tr>\n"
        "<tr><td width=\"5.8%\" align=\"left\"></td>"
        "<td width=\"23.2%\" align=\"left\" style=\"white-space: nowrap;\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Leak Rate</td>"
        "<td width=\"16.3%\" align=\"right\"></td>"
        "<td width=\"16.3%\" align=\"right\">3.5</td>"
        "<td width=\"16.3%\" align=\"center\">mmHg/min</td>"
        "<td width=\"16.3%\" align=\"left\"></td>"
        "<td width=\"5.8%\" align=\"left\"></td></tr>\n"
        "</table>\n</body>\n</html>\n");
    EXPECT_EQ(report.RenderHtml(), expected);
}

TEST(Report, ElasticColumnTakesTheRestOfTheLine)
{
    Report report;
    report.AddTable(QStringLiteral("<1000|<!1000;"), QString(), QStringLiteral("a|b;"));
    const QString html = report.TableHtml(0);
    // 9637 - 1000 twips of the printable width go to the elastic column.
    EXPECT_TRUE(html.contains(QStringLiteral("<td width=\"89.6%\" align=\"left\" style=\"white-space: nowrap;\">b</td>"))) << qPrintable(html);
}

TEST(Report, DocumentTextListsEveryBlock)
{
    Report report;
    report.SetTitle(QStringLiteral("Title"));
    report.AddHeading(QStringLiteral("Device"));
    report.AddKeyValue(QStringLiteral("Operator"), QStringLiteral("J. Doe"));
    addMeasurementTable(report);
    EXPECT_EQ(report.DocumentText(), QStringLiteral("Title\nDevice\nOperator: J. Doe\n\tResult:\t\tValue\tUnit\n"
                                                    "\t      Pressure Drop\t<12>\t7\tmmHg\n\t      Leak Rate\t\t3.5\tmmHg/min\n"));
}

TEST(Report, RendersAReadablePdf)
{
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Report report;
    report.SetTitle(QStringLiteral("Leak test report"));
    report.AddKeyValue(QStringLiteral("Serial number"), QStringLiteral("SN-4711"));
    addMeasurementTable(report);
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    report.RenderPdf(pdf);

    const QString text = ostrel::testing::pdfText(pdf);
    for (const char* expected : {"Leak test report", "Serial number: SN-4711", "Result:", "Pressure Drop", "mmHg/min", "3.5"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << qPrintable(text);
}

TEST(Report, PdfToAnUnwritablePathFailsNamingIt)
{
    Report report;
    const QString path = QStringLiteral("/nonexistent-folder/report.pdf");
    const auto failure = ostrel::testing::errorOf([&] { report.RenderPdf(path); });
    ASSERT_TRUE(failure) << "no failure";
    EXPECT_TRUE(failure->description().contains(path));
}

TEST(Report, ALoneHeadingCellTakesTheRestOfTheLine)
{
    Report report;
    report.AddTable(QStringLiteral("<560|<2240|<1000|<1000;"), QStringLiteral("|{\\i\\b Limits: EXAMPLE-A - a long standard name};"),
                    QStringLiteral("|a|b|c;"));
    const QString html = report.TableHtml(0);
    EXPECT_TRUE(html.contains(QStringLiteral("colspan=\"3\""))) << qPrintable(html);
    // Rows with text in several cells keep one cell per column.
    EXPECT_EQ(html.count(QStringLiteral("colspan")), 1) << qPrintable(html);
}
