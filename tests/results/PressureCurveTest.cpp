// The pressure curve of a run: bounded however long the run, evenly thinned with the newest
// point kept, stored as compact text that reads back only what runs forward in time, and drawn
// in the report as a vector chart (no image in the PDF) and as SVG in the HTML.
#include "host/results/CurveChart.h"
#include "host/results/PressureCurve.h"
#include "host/results/Report.h"
#include "host/storage/StorageElement.h"
#include "tests/support/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

TEST(PressureCurve, ALongRunStaysBoundedEvenAndEndsOnTheNewestSample)
{
    PressureCurve curve;
    constexpr std::int64_t kSamples = 200000;
    for (std::int64_t ms = 0; ms < kSamples; ++ms)
        curve.Add(ms, static_cast<double>(ms % 300));
    ASSERT_LE(curve.Count(), PressureCurve::kMaxPoints);
    EXPECT_GE(curve.Count(), PressureCurve::kMaxPoints / 2);
    EXPECT_EQ(curve.Points().front().ms, 0);
    EXPECT_EQ(curve.Points().back(), (PressureCurve::Point{kSamples - 1, double((kSamples - 1) % 300)}));
    std::int64_t least = kSamples;
    std::int64_t most = 0;
    for (int i = 1; i + 1 < curve.Count(); ++i) {
        const std::int64_t gap = curve.Points()[static_cast<size_t>(i)].ms - curve.Points()[static_cast<size_t>(i - 1)].ms;
        least = std::min(least, gap);
        most = std::max(most, gap);
    }
    EXPECT_GT(least, 0);
    EXPECT_LE(most, 4 * least) << "the points are not evenly spaced";
}

TEST(PressureCurve, SamplesAtOneTimeKeepTheNewestAndTimeNeverRunsBack)
{
    PressureCurve curve;
    curve.Add(0, 10);
    curve.Add(0, 12);
    curve.Add(100, 20);
    curve.Add(50, 30); // a clock that went back counts as the last time
    ASSERT_EQ(curve.Count(), 2);
    EXPECT_EQ(curve.Points()[0], (PressureCurve::Point{0, 12}));
    EXPECT_EQ(curve.Points()[1], (PressureCurve::Point{100, 30}));
}

TEST(PressureCurve, StoredTextReadsBackAndRefusesWhatIsNoPartOfACurve)
{
    PressureCurve curve;
    curve.Add(0, 0);
    curve.Add(250, 12.5);
    curve.Add(500, 301.25);
    auto document = StorageDocument::Create();
    const StorageElement stored = curve.Save(document);
    EXPECT_EQ(stored.Name(), QLatin1String(PressureCurve::kElement));
    EXPECT_EQ(stored.Text(), QStringLiteral("0 0;250 12.5;500 301.25"));
    EXPECT_EQ(PressureCurve::Load(stored), curve);

    const PressureCurve read = PressureCurve::FromText(QStringLiteral("0 1;junk;5 2;3 4;7 x;9 nan;-1 5;8 3 4;12 6;"));
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read.Points()[2], (PressureCurve::Point{12, 6}));
    EXPECT_TRUE(PressureCurve::Load(document->CreateElement(QStringLiteral("ResultItem"))).IsEmpty());
    EXPECT_TRUE(PressureCurve::Load(StorageElement()).IsEmpty());
}

// The curve's own numbers and hand-edited forms read as QString reads numbers.
struct CurveNumbers {
    const char* text;
    std::vector<PressureCurve::Point> points;
};

class PressureCurveNumbers : public ::testing::TestWithParam<CurveNumbers> {};

TEST_P(PressureCurveNumbers, ReadAsWritten)
{
    const PressureCurve read = PressureCurve::FromText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(read.Points(), GetParam().points) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PressureCurveNumbers,
    ::testing::Values(CurveNumbers{"0 -0.5;10 1e-05;20 1.5E+2;30 007", {{0, -0.5}, {10, 1e-05}, {20, 150}, {30, 7}}},
                      CurveNumbers{"+5 +2.5;\t9 .5\n", {{5, 2.5}, {9, 0.5}}},
                      CurveNumbers{"0x10 1;1.5 2;4 0x10;5 1.;6 -inf;7 inf;8 1e400", {{5, 1}}},
                      CurveNumbers{"99999999999999999999 1;3 12345678901234567890123456789012345678901234567890",
                                   {{3, 12345678901234567890123456789012345678901234567890.0}}}));

TEST(CurveChart, TicksAreRoundAndReachTheMaximum)
{
    const auto ticks = CurveChart::Ticks(283, 5);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_EQ(ticks.front().value, 0);
    EXPECT_GE(ticks.back().value, 283);
    EXPECT_EQ(ticks[1].value, 100);
    EXPECT_EQ(ticks.back().label, QStringLiteral("300"));
}

TEST(CurveChart, TheReportDrawsTheCurveAsVectorsUnderItsCaption)
{
    PressureCurve curve;
    for (int s = 0; s <= 60; ++s)
        curve.Add(s * 1000, s < 10 ? s * 30.0 : 300.0 - (s - 10) * 0.5);
    Report report;
    report.SetTitle(QStringLiteral("Curve"));
    report.AddHeading(QStringLiteral("1. Leak test"));
    report.AddChart(curve);
    report.AddChart(PressureCurve()); // nothing charted: nothing printed
    EXPECT_EQ(report.DocumentText().count(QLatin1String(CurveChart::kCaption)), 1);
    const QString html = report.RenderHtml();
    EXPECT_EQ(html.count(QStringLiteral("<svg")), 1);
    EXPECT_EQ(html.count(QStringLiteral("<polyline")), 1);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("curve.pdf"));
    report.RenderPdf(pdf);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("/Subtype /Image")) << "the chart is a picture, not vectors";
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    // Compatibility form: the PDF's font sets "ff" as one ligature glyph.
    const QString text = ostrel::testing::pdfText(pdf, {}).normalized(QString::NormalizationForm_KC);
    for (const char* expected : {"Cuff pressure over time", "Time (s)", "Cuff pressure (mmHg)", "300"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
}

} // namespace
