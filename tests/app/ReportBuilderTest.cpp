// The report of a sequence as a reader of the printed record meets it: names taken literally,
// when the tests were performed (the run records it, the document keeps it), the first page's
// summary and the sign-off block.
#include "FakeElement.h"

#include "app/ostrel/ReportBuilder.h"
#include "app/ostrel/SequenceDocument.h"
#include "app/ostrel/SequenceRunner.h"
#include "host/results/Report.h"

#include "host/results/LimitItem.h"
#include "tests/support/PdfText.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

ElementFactory factory()
{
    return [](const QString&, std::int32_t testId) -> TestElementPtr {
        static FakePlugIn plugIn;
        return plugIn.CreateTest(testId);
    };
}

std::shared_ptr<FakeElement> addElement(SequenceDocument& document, const QString& name)
{
    auto element = std::make_shared<FakeElement>();
    element->Initialize(QStringLiteral("FAKE"), 10, 0);
    document.Add(element);
    document.Rename(document.Count() - 1, name);
    return element;
}

QString reportText(const SequenceDocument& document)
{
    return ReportBuilder::Build(document, ReportBuilder::MakeContext(document, nullptr), false)->DocumentText();
}

TEST(ReportBuilderTest, NamesFromTheDocumentArePrintedAsWritten)
{
    SequenceDocument document;
    auto probe = std::make_shared<MtiData>();
    probe->SetName(QStringLiteral("Probe-%1-%2"), 7);
    probe->SetValues(QStringLiteral("SN-%1"), QStringLiteral("%2"), QString());
    document.Instruments()->Add(probe);
    addElement(document, QStringLiteral("Leak %1 of %2"));
    const auto report = ReportBuilder::Build(document, ReportBuilder::MakeContext(document, nullptr), false);
    const QString text = report->DocumentText();
    EXPECT_TRUE(text.contains(QStringLiteral("Probe-%1-%2 #7: serial number SN-%1, firmware %2"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("1. Leak %1 of %2 - Not run"))) << qPrintable(text);
    EXPECT_TRUE(report->RenderHtml().contains(QStringLiteral("Probe-%1-%2 #7"))) << qPrintable(report->RenderHtml());
}

TEST(ReportBuilderTest, FirstPageSummarisesAndTheLastAsksForSignatures)
{
    SequenceDocument document;
    DeviceUnderTest dut;
    dut.serialNumber = QStringLiteral("MON-9");
    dut.technician = QStringLiteral("Jo Smith");
    document.SetDut(dut);
    addElement(document, QStringLiteral("First; with | odd {text}"));
    addElement(document, QStringLiteral("Second"));
    const auto report = ReportBuilder::Build(document, ReportBuilder::MakeContext(document, nullptr), false);
    const QString text = report->DocumentText();
    EXPECT_EQ(report->PageNote(), QStringLiteral("Device MON-9"));
    for (const char* expected : {"Serial number: MON-9", "Technician: Jo Smith", "Tests performed: -", "Verdict: ",
                                 "1\tFirst, with / odd (text)\tNot run", "2\tSecond\tNot run", "Sign-off",
                                 "Performed by\tJo Smith\tDate", "Reviewed by\t"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(text);
    // The summary comes before the elements, the sign-off after them.
    EXPECT_LT(text.indexOf(QStringLiteral("2\tSecond")), text.indexOf(QStringLiteral("1. First")));
    EXPECT_GT(text.indexOf(QStringLiteral("Sign-off")), text.indexOf(QStringLiteral("2. Second")));
}

TEST(ReportBuilderTest, RunTimesAreRecordedKeptAndPrinted)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SequenceDocument document;
    addElement(document, QStringLiteral("Measured"))->script = finishWith(1, 5.0);
    addElement(document, QStringLiteral("Skipped"));
    document.SetEnabled(1, false);
    const QDateTime before = QDateTime::currentDateTimeUtc();
    SequenceRunner runner(document, nullptr);
    runner.SetAutoSave(false);
    ASSERT_EQ(runner.Run(), SequenceRunner::Outcome::Completed);
    const QDateTime after = QDateTime::currentDateTimeUtc();
    // The element whose result became final has its times; the disabled one has none.
    EXPECT_GE(document.Entry(0).started, before.addMSecs(-1000));
    EXPECT_LE(document.Entry(0).started, document.Entry(0).ended);
    EXPECT_LE(document.Entry(0).ended, after.addMSecs(1000));
    EXPECT_FALSE(document.Entry(1).started.isValid());

    // Fixed local times, so the printed text does not depend on the clock or the zone.
    const QDateTime started(QDate(2026, 3, 2), QTime(9, 14, 5));
    const QDateTime ended(QDate(2026, 3, 2), QTime(9, 16, 40));
    document.SetRunTimes(0, started, ended);
    const QString path = dir.filePath(QStringLiteral("timed.xml"));
    document.SaveAs(path);
    const auto loaded = SequenceDocument::Load(path, factory(), nullptr);
    EXPECT_EQ(loaded->Entry(0).started, started);
    EXPECT_EQ(loaded->Entry(0).ended, ended);
    EXPECT_FALSE(loaded->Entry(1).ended.isValid());
    const QString text = reportText(*loaded);
    EXPECT_TRUE(text.contains(QStringLiteral("Tests performed: 2026-03-02 09:14 - 09:16"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Performed: 2026-03-02 09:14:05 - 09:16:40"))) << qPrintable(text);
}

TEST(ReportBuilderTest, EachMeasurementHasItsValueLimitsUnitAndVerdictInOneRow)
{
    SequenceDocument document;
    auto element = addElement(document, QStringLiteral("Leak"));
    element->result().status = 2;
    element->result().measurements = {
        std::make_shared<FakeMeasurement>(QStringLiteral("DROP"), QStringLiteral("Pressure Drop"), Variant(7.5), Variant(),
                                          QStringLiteral("mmHg"), 2),
        std::make_shared<FakeMeasurement>(QStringLiteral("RATE"), QStringLiteral("Leak Rate"), Variant(1.25), Variant(),
                                          QStringLiteral("mmHg/min"), 1),
    };
    for (const bool failuresOnly : {false, true}) {
        const QString text =
            ReportBuilder::Build(document, ReportBuilder::MakeContext(document, nullptr), failuresOnly)->DocumentText();
        EXPECT_TRUE(text.contains(QStringLiteral("\tPressure Drop\t7.5\tmmHg\t-\tFailed"))) << qPrintable(text);
        EXPECT_EQ(text.contains(QStringLiteral("\tLeak Rate\t1.25\tmmHg/min\t-\tPassed")), !failuresOnly) << qPrintable(text);
    }
}

// The PDF as printed (pdftotext): a percent limit with the values it gives for the preset, and
// measurements that were not judged or not completed named as such in their row.
TEST(ReportBuilderTest, PdfShowsPercentLimitsAsValuesAndUnjudgedMeasurementsAsSuch)
{
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SequenceDocument document;
    document.SetSelectedStandards({{QStringLiteral("S"), QStringLiteral("S full")}});
    auto element = addElement(document, QStringLiteral("Blood pressure"));
    auto standard = element->limits().CreateStandard(Variant(QStringLiteral("S")), Variant(QStringLiteral("S full")));
    auto item = std::make_shared<LimitItem>();
    item->Initialize(QStringLiteral("SYST"), QStringLiteral("%"), QStringLiteral("5"), QStringLiteral("-5"));
    standard->AddLimitItem(item);
    element->result().status = 5;
    element->result().measurements = {
        std::make_shared<FakeMeasurement>(QStringLiteral("SYST"), QStringLiteral("Systolic"), Variant(125.0), Variant(120.0),
                                          QStringLiteral("mmHg"), 1),
        std::make_shared<FakeMeasurement>(QStringLiteral("DIAS"), QStringLiteral("Diastolic"), Variant(80.0), Variant(80.0),
                                          QStringLiteral("mmHg"), 5),
        std::make_shared<FakeMeasurement>(QStringLiteral("HART"), QStringLiteral("Heart Rate"), Variant(), Variant(),
                                          QStringLiteral("BPM"), 4),
    };
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    ReportBuilder::Build(document, ReportBuilder::MakeContext(document, nullptr), false)->RenderPdf(pdf);
    QStringList lines;
    for (const QString& line : ostrel::testing::pdfText(pdf).split(QLatin1Char('\n')))
        lines << line.simplified();
    const auto hasLine = [&](const QString& start, const QString& end) {
        return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.startsWith(start) && line.endsWith(end); });
    };
    const QString text = lines.join(QLatin1Char('\n'));
    EXPECT_TRUE(hasLine(QStringLiteral("Systolic 125 mmHg S: -5 .. 5 % \u2192 114 .. 126 mmHg"), QStringLiteral("Passed")))
        << qPrintable(text);
    EXPECT_TRUE(hasLine(QStringLiteral("Diastolic 80 mmHg -"), QStringLiteral("Not judged"))) << qPrintable(text);
    EXPECT_TRUE(hasLine(QStringLiteral("Heart Rate"), QStringLiteral("Incomplete"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("1. Blood pressure - Not judged"))) << qPrintable(text);
}

} // namespace
