// "ostrel run": a sequence run headless by the automatic operator, with the report (PDF text
// read back by pdftotext), the exports and the saved document agreeing with each other, and
// the exit status telling passed, failed and error apart.
#include "FakeGuide.h"

#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/RunCommand.h"
#include "app/ostrel/SequenceDocument.h"
#include "app/ostrel/SequenceResults.h"
#include "host/core/ClassRegistry.h"
#include "tests/support/PdfText.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

// Elements of the fake plug-in show the stand-in test guide; test 20 fails its measurement.
class GuidedPlugIn : public FakePlugIn {
public:
    std::shared_ptr<ITestElement> CreateTest(std::int32_t testId) override
    {
        auto element = std::dynamic_pointer_cast<FakeElement>(FakePlugIn::CreateTest(testId));
        element->script = guidedRun({.status = testId == 20 ? 2 : 1, .value = testId / 10.0 + 0.5});
        return element;
    }
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RunCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClassRegistry::instance().RegisterLocal(QString::fromLatin1(FakePlugIn::kProgId),
                                                ClassFactory{[]() -> ObjectPtr { return std::make_shared<GuidedPlugIn>(); }, nullptr});
        host = std::make_shared<PlugInHost>();
        host->Load(QString::fromLatin1(FakePlugIn::kProgId));
    }
    void TearDown() override { ClassRegistry::instance().UnregisterLocal(QString::fromLatin1(FakePlugIn::kProgId)); }

    QString writeSequence(const std::vector<std::int32_t>& testIds)
    {
        SequenceDocument document;
        document.SetTitle(QStringLiteral("Fake check"));
        for (auto id : testIds)
            document.Add(host->PlugIn()->CreateTest(id));
        const QString path = dir.filePath(QStringLiteral("sequence.xml"));
        document.SaveAs(path);
        return path;
    }

    int run(const QStringList& args)
    {
        output.clear();
        errors.clear();
        QTextStream out(&output);
        QTextStream err(&errors);
        RunCommand command(out, err);
        command.UsePlugIn(host);
        return command.Run(args);
    }

    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    std::shared_ptr<PlugInHost> host;
    QString output;
    QString errors;
};

TEST_F(RunCommandTest, AHeadlessRunWritesReportExportsAndResults)
{
    const QString sequence = writeSequence({10, 20, 30});
    const QByteArray before = readFile(sequence);
    const int status = run({sequence, QStringLiteral("--operator"), QStringLiteral("auto"), QStringLiteral("--report"),
                            file("out.pdf"), QStringLiteral("--html"), file("out.html"), QStringLiteral("--json"), file("out.json"),
                            QStringLiteral("--csv"), file("out.csv"), QStringLiteral("--save"), file("result.xml"),
                            QStringLiteral("--dut-serial"), QStringLiteral("DUT-77"), QStringLiteral("--technician"),
                            QStringLiteral("Jo Smith")});
    EXPECT_EQ(status, RunCommand::kExitFailed) << errors.toStdString();
    EXPECT_EQ(readFile(sequence), before); // the input is left as it was

    // One line per element, then the summary.
    EXPECT_TRUE(output.contains(QStringLiteral("[1/3] Fake test 10"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[2/3] Fake test 20"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Overall: FAILED"))) << output.toStdString();

    // The saved document holds the three results.
    auto saved = SequenceDocument::Load(file("result.xml"), host->Factory(), nullptr);
    ASSERT_EQ(saved->Count(), 3);
    EXPECT_EQ(saved->Entry(1).element->Result()->Status(), 2);
    EXPECT_EQ(saved->Dut().serialNumber, QStringLiteral("DUT-77"));

    // JSON and CSV carry the same values.
    const auto json = QJsonDocument::fromJson(readFile(file("out.json"))).object();
    EXPECT_EQ(json[QStringLiteral("verdict")].toString(), QStringLiteral("FAILED"));
    EXPECT_EQ(json[QStringLiteral("deviceUnderTest")].toObject()[QStringLiteral("technician")].toString(), QStringLiteral("Jo Smith"));
    const QStringList csvLines = QString::fromUtf8(readFile(file("out.csv"))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const auto elements = json[QStringLiteral("elements")].toArray();
    ASSERT_EQ(elements.size(), 3);
    ASSERT_EQ(csvLines.size(), 4);
    for (int i = 0; i < 3; ++i) {
        const auto element = elements[i].toObject();
        const auto measurement = element[QStringLiteral("measurements")].toArray()[0].toObject();
        const QStringList fields = csvLines[i + 1].split(QLatin1Char(','));
        EXPECT_EQ(fields[0], element[QStringLiteral("name")].toString());
        EXPECT_EQ(fields[3], measurement[QStringLiteral("valueText")].toString());
        EXPECT_EQ(fields[7], measurement[QStringLiteral("statusText")].toString());
    }

    // The report names the device, the elements and their verdicts.
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    const QString text = ostrel::testing::pdfText(file("out.pdf"));
    for (const char* expected : {"DUT-77", "Jo Smith", "Fake test 10", "Fake test 20", "Failed", "Passed", "FAILED", "Pressure Drop"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(QString::fromUtf8(readFile(file("out.html"))).contains(QStringLiteral("Fake test 30")));
}

TEST_F(RunCommandTest, ExitStatusTellsPassedFailedAndError)
{
    EXPECT_EQ(run({writeSequence({10, 30})}), RunCommand::kExitPassed) << errors.toStdString();
    EXPECT_EQ(run({writeSequence({20})}), RunCommand::kExitFailed);
    EXPECT_EQ(run({file("missing.xml")}), RunCommand::kExitError);
    EXPECT_TRUE(errors.contains(QStringLiteral("missing.xml"))) << errors.toStdString();
    EXPECT_EQ(run({writeSequence({10}), QStringLiteral("--sim-speed"), QStringLiteral("fast")}), RunCommand::kExitError);
    EXPECT_EQ(run({writeSequence({10}), QStringLiteral("--bogus")}), RunCommand::kExitError);
    EXPECT_EQ(run({writeSequence({10}), QStringLiteral("--operator"), QStringLiteral("robot")}), RunCommand::kExitError);
    // A person could not answer windows nobody sees: refused before anything runs.
    EXPECT_EQ(run({writeSequence({10}), QStringLiteral("--operator"), QStringLiteral("person")}), RunCommand::kExitError);
    EXPECT_TRUE(errors.contains(QStringLiteral("no display"))) << errors.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("Running"))) << output.toStdString();
    EXPECT_EQ(run({writeSequence({10}), QStringLiteral("--json"), dir.filePath(QStringLiteral("no/such/dir/x.json"))}),
              RunCommand::kExitError);
}

} // namespace

namespace {

TEST(RunSummary, LongElementNamesAreNotCut)
{
    ostrel::ElementResult longName;
    longName.position = 1;
    longName.name = QStringLiteral("Blood pressure, independent 150/100 at 75 BPM");
    ostrel::ElementResult shortName;
    shortName.position = 2;
    shortName.name = QStringLiteral("Leak");
    const QString table = ostrel::RunCommand::SummaryTable({longName, shortName});
    EXPECT_TRUE(table.contains(longName.name)) << qPrintable(table);
    // The columns after the name still line up.
    const QStringList lines = table.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[1].indexOf(QStringLiteral("Not run")), lines[2].indexOf(QStringLiteral("Not run"))) << qPrintable(table);
}

// A result of one element with one measurement, as a run's line and summary see it.
ostrel::ElementResult oneMeasurement(int position, const QString& name, std::int32_t status, ostrel::MeasurementRow row)
{
    ostrel::ElementResult result;
    result.position = position;
    result.name = name;
    result.hasResult = true;
    result.status = status;
    row.status = status;
    result.measurements.push_back(std::move(row));
    return result;
}

TEST(RunSummary, NamesAndValuesAreTextNeverPlaces)
{
    // An element named like a format string keeps its name in the line and in the summary.
    ostrel::MeasurementRow row;
    row.key = QStringLiteral("K%1");
    row.value = ostrel::Variant(3.5);
    row.valueText = QStringLiteral("3.5");
    row.unit = QStringLiteral("%2");
    const ostrel::ElementResult probe = oneMeasurement(7, QStringLiteral("Probe-%1-%2"), 2, row);
    EXPECT_EQ(ostrel::RunCommand::ElementLine(probe, 9),
              QStringLiteral("[7/9] Probe-%1-%2.................  FAILED         K%1 3.5 %2 (failed)"));
    const QString table = ostrel::RunCommand::SummaryTable({probe});
    EXPECT_TRUE(table.contains(QStringLiteral("  7  Probe-%1-%2"))) << qPrintable(table);
    EXPECT_TRUE(table.contains(QStringLiteral("1 (1 failed)"))) << qPrintable(table);
}

TEST(RunSummary, TheLineShowsAYesOrNoValueInWordsAsTheReportDoes)
{
    ostrel::MeasurementRow row;
    row.key = QStringLiteral("MREL");
    row.value = ostrel::Variant(true);
    row.valueText = QStringLiteral("True");
    row.readable = QStringLiteral("Released");
    const QString line = ostrel::RunCommand::ElementLine(oneMeasurement(5, QStringLiteral("Over-pressure test"), 5, row), 6);
    EXPECT_TRUE(line.endsWith(QStringLiteral("MREL Released"))) << qPrintable(line);
}

} // namespace
