// The PDF as a reader meets it, page by page (pdftotext): a header with the title and the
// page note and "Page X of Y" on every page, no heading left alone at a page's foot, every text
// once, and tables longer than a page carried over without losing a row.
#include "host/results/Report.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using ostrel::Report;

namespace {

class ReportPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (m_pdftotext.isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
        ASSERT_TRUE(m_dir.isValid());
    }

    // The text of each page, its lines with the blank ones dropped.
    std::vector<QStringList> pagesOf(const Report& report)
    {
        const QString pdf = m_dir.filePath(QStringLiteral("pages.pdf"));
        report.RenderPdf(pdf);
        QProcess process;
        process.start(m_pdftotext, {pdf, QStringLiteral("-")});
        EXPECT_TRUE(process.waitForFinished(60000));
        QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        std::vector<QStringList> result;
        for (const QString& page : pages) {
            QStringList lines;
            for (const QString& line : page.split(QLatin1Char('\n')))
                if (!line.trimmed().isEmpty())
                    lines << line.trimmed();
            result.push_back(lines);
        }
        return result;
    }

    static void addElement(Report& report, int number, int rows)
    {
        report.AddHeading(QStringLiteral("Element %1").arg(number));
        QString text;
        for (int row = 1; row <= rows; ++row)
            text += QStringLiteral("|E%1 row %2|%3|mmHg;").arg(number).arg(row).arg(row * 10);
        report.SetRuled(1);
        report.AddTable(QStringLiteral("<560|<3000|>1500|<1000;"), QStringLiteral("|{\\b Measurement}|{\\b Value}|{\\b Unit};"), text);
    }

    QTemporaryDir m_dir;
    QString m_pdftotext;
};

TEST_F(ReportPages, EveryPageHasItsHeaderAndFooterAndNoHeadingAtItsFoot)
{
    Report report;
    report.SetTitle(QStringLiteral("Annual check"));
    report.SetPageNote(QStringLiteral("Device SN-4711"));
    // Elements of different lengths, so that some do not fit in what is left of a page.
    constexpr int kElements = 24;
    for (int i = 1; i <= kElements; ++i)
        addElement(report, i, 3 + (i * 7) % 11);
    const auto pages = pagesOf(report);
    ASSERT_GE(pages.size(), 3u);
    const QString count = QString::number(pages.size());
    int headingsSeen = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const QStringList& lines = pages[p];
        const QString where = QStringLiteral("page %1:\n%2").arg(p + 1).arg(lines.join(QLatin1Char('\n')));
        ASSERT_GE(lines.size(), 3) << qPrintable(where);
        EXPECT_TRUE(lines.contains(QStringLiteral("Annual check"))) << qPrintable(where);
        EXPECT_TRUE(lines.contains(QStringLiteral("Device SN-4711"))) << qPrintable(where);
        EXPECT_EQ(lines.last(), QStringLiteral("Page %1 of %2").arg(p + 1).arg(count)) << qPrintable(where);
        // The last line of the body (before the footer) is never a heading.
        EXPECT_FALSE(lines[lines.size() - 2].startsWith(QStringLiteral("Element "))) << qPrintable(where);
        for (const QString& line : lines)
            headingsSeen += line.startsWith(QStringLiteral("Element ")) ? 1 : 0;
    }
    // Each heading once: no second, invisible layer of text.
    EXPECT_EQ(headingsSeen, kElements);
}

TEST_F(ReportPages, ATableLongerThanAPageRunsOverWithEveryRowOnce)
{
    Report report;
    report.SetTitle(QStringLiteral("Long"));
    constexpr int kRows = 150;
    addElement(report, 1, kRows);
    addElement(report, 2, 2);
    const auto pages = pagesOf(report);
    ASSERT_GE(pages.size(), 3u);
    QStringList rows;
    for (const QStringList& lines : pages)
        for (const QString& line : lines)
            if (line.startsWith(QStringLiteral("E1 row ")))
                rows << line;
    ASSERT_EQ(rows.size(), kRows);
    for (int row = 1; row <= kRows; ++row)
        EXPECT_EQ(rows[row - 1], QStringLiteral("E1 row %1").arg(row));
    // What follows the long table comes after it, on its last page or later.
    EXPECT_TRUE(pages.back().contains(QStringLiteral("E2 row 2")));
}

TEST_F(ReportPages, ATextLongerThanAPageRunsOverBetweenLines)
{
    Report report;
    report.SetTitle(QStringLiteral("Comment"));
    report.AddHeading(QStringLiteral("Element 1"));
    QStringList words;
    constexpr int kWords = 1500;
    for (int i = 1; i <= kWords; ++i)
        words << QStringLiteral("w%1").arg(i);
    report.AddKeyValue(QStringLiteral("Comment"), words.join(QLatin1Char(' ')));
    const auto pages = pagesOf(report);
    ASSERT_GE(pages.size(), 2u);
    QStringList seen;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(pages[p].last(), QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()));
        for (const QString& line : pages[p])
            for (const QString& word : line.split(QLatin1Char(' ')))
                if (word.startsWith(QLatin1Char('w')))
                    seen << word;
    }
    EXPECT_EQ(seen, words);
}

} // namespace
