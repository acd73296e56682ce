// Verdicts a quality department can sign, end to end: "ostrel run" with the real plug-in against
// the built-in simulator (its fault options set as the port's values). A run cut short by the
// link is incomplete and exits with the instrument code; a new sequence judges with the
// standards its elements carry, user-made ones included; a document with values no editor
// accepts, or a selection that judges nothing, is refused; a reopened document reports as the
// fresh one did.
#include "app/common/ExitCode.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/ReportBuilder.h"
#include "app/ostrel/RunCommand.h"
#include "app/ostrel/SequenceDocument.h"
#include "app/ostrel/SequenceResults.h"
#include "app/ostrel/StandardsCatalog.h"
#include "host/contract/ILimitData.h"
#include "host/contract/IPlugIn.h"
#include "host/contract/IResultData.h"
#include "host/contract/IStandards.h"
#include "host/contract/ResultStatus.h"
#include "host/core/ComError.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"
#include "tests/support/app/LoadedPlugIn.h"
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

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One leak element of the given duration, judged by EXAMPLE-A's leak-rate limit.
QString leakSequence(const QString& duration, const QString& startPressure = QStringLiteral("250"),
                     const QString& extraElement = QString(), const QString& rateLimit = QStringLiteral("1"),
                     const QString& selected = QStringLiteral("EXAMPLE-A"))
{
    return QStringLiteral(R"xml(<?xml version="1.0" encoding="UTF-8"?>
<OstrelSequence Format="1">
  <Metadata><Title>Leak check</Title></Metadata>
  <DeviceUnderTest SerialNumber="MON-1" Model="" Location="" Technician=""/>
  <Standards><Standard ShortName="%5" FullName="Example standard A (illustrative limits only)"/></Standards>
  <Instruments/>
  <Sequence>
    <Element PlugIn="NB-4410" TestID="300" ID="1" Name="Leak test" Enabled="1">
      <PlugInData PlugIn="NB-4410">
        <StartPressure>%2</StartPressure>
        <TestedEquipment>1</TestedEquipment>
        <Duration>%1</Duration>
      </PlugInData>
      <ExpectedResult>
        <Standard ShortName="EXAMPLE-A" FullName="Example standard A (illustrative limits only)" Kind="1">
          <Limit Key="RATE" Unit="mmHg/min" Upper="%4"/>
        </Standard>
      </ExpectedResult>
    </Element>%3
  </Sequence>
</OstrelSequence>
)xml")
        .arg(duration, startPressure, extraElement, rateLimit, selected);
}

class VerdictRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = ostrel::testing::loadedPlugIn();
        ASSERT_TRUE(host);
    }
    void TearDown() override { DataLinkRoot::instance()->PortRegistry()->ResetPorts(); }

    // The built-in simulator as port 1, with the monitor and faults given.
    void simulator(QHash<QString, QString> values)
    {
        values.insert(QStringLiteral("Device"), PortRegistry::kSimulatorDevice);
        values.insert(QStringLiteral("Pacing"), QStringLiteral("0"));
        DataLinkRoot::instance()->PortRegistry()->SetPorts(
            {{1, PortEntry{QStringLiteral("NB-4410"), PortRegistry::kSimulatorDevice, values}}});
    }

    QString write(const QString& name, const QString& text)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }

    int run(QStringList args)
    {
        output.clear();
        errors.clear();
        QTextStream out(&output);
        QTextStream err(&errors);
        RunCommand command(out, err);
        command.UsePlugIn(host);
        args << QStringLiteral("--operator") << QStringLiteral("auto") << QStringLiteral("--sim-speed") << QStringLiteral("100");
        return command.Run(args);
    }

    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    std::shared_ptr<PlugInHost> host;
    QString output;
    QString errors;
};

TEST_F(VerdictRun, ALeakTestCutShortByTheLinkIsIncompleteAndExitsWithTheInstrumentCode)
{
    // The monitor leaks 10 mmHg/min, so a full run fails the 1 mmHg/min limit; the line goes
    // dead 150 s into a 300 s test.
    simulator({{QStringLiteral("LeakRate"), QStringLiteral("10")}, {QStringLiteral("HangUpInTest"), QStringLiteral("150")}});
    const QString sequence = write(QStringLiteral("leak.xml"), leakSequence(QStringLiteral("300")));
    const int status = run({sequence, QStringLiteral("--json"), file("out.json"), QStringLiteral("--csv"), file("out.csv"),
                            QStringLiteral("--report"), file("out.pdf"), QStringLiteral("--save"), file("saved.xml")});
    EXPECT_EQ(status, exitcode::kInstrument) << output.toStdString() << errors.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("PASSED"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Overall: INCOMPLETE"))) << output.toStdString();

    const auto json = QJsonDocument::fromJson(readFile(file("out.json"))).object();
    EXPECT_EQ(json[QStringLiteral("verdict")].toString(), QStringLiteral("INCOMPLETE"));
    const auto element = json[QStringLiteral("elements")].toArray()[0].toObject();
    EXPECT_EQ(element[QStringLiteral("status")].toInt(), status::kIncomplete);
    EXPECT_EQ(element[QStringLiteral("statusText")].toString(), QStringLiteral("Incomplete"));
    const QString error = element[QStringLiteral("error")].toString();
    EXPECT_FALSE(error.isEmpty());
    // The cause, not only that the driver call failed.
    EXPECT_FALSE(error.startsWith(QStringLiteral("The NB-4410 driver call failed"))) << error.toStdString();
    const auto drop = element[QStringLiteral("measurements")].toArray()[0].toObject();
    EXPECT_EQ(drop[QStringLiteral("key")].toString(), QStringLiteral("DROP"));
    EXPECT_FALSE(drop[QStringLiteral("valueText")].toString().isEmpty()) << "kept for the record";
    EXPECT_EQ(drop[QStringLiteral("flags")].toString(), QStringLiteral("IE"));
    EXPECT_EQ(drop[QStringLiteral("statusText")].toString(), QStringLiteral("Incomplete"));
    EXPECT_TRUE(QString::fromUtf8(readFile(file("out.csv"))).contains(error));

    // The saved document keeps the verdict and the error.
    auto saved = SequenceDocument::Load(file("saved.xml"), host->Factory(), nullptr);
    EXPECT_EQ(saved->Entry(0).element->Result()->Status(), status::kIncomplete);
    EXPECT_EQ(saved->Entry(0).element->Result()->StatusText(), error);

    const QString text = ostrel::testing::pdfText(file("out.pdf"));
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("Leak test - Incomplete"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("instrument or link failure"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("PASSED"))) << text.toStdString();
    }
}

// The instrument refuses the start: the result keeps the instrument's own error, and the
// console shows the driver's message on one line (a carriage return in it would let the
// rest of the line overwrite its start on a terminal).
TEST_F(VerdictRun, AStartTheInstrumentRefusesKeepsItsErrorAndPrintsOneLine)
{
    simulator({{QStringLiteral("ErrmCommand"), QStringLiteral("STST:6002")}});
    const QString sequence = write(QStringLiteral("leak.xml"), leakSequence(QStringLiteral("300")));
    EXPECT_EQ(run({sequence, QStringLiteral("--json"), file("out.json")}), exitcode::kInstrument) << errors.toStdString();
    const auto element = QJsonDocument::fromJson(readFile(file("out.json"))).object()[QStringLiteral("elements")].toArray()[0].toObject();
    EXPECT_EQ(element[QStringLiteral("error")].toString(),
              QStringLiteral("The NB-4410 reported error 6002 (Test not allowed) on STST: Simulated error"));
    EXPECT_TRUE(errors.contains(QStringLiteral("message: Error received from MTI: 6002; Test not allowed; "
                                               "Occurred when performing STST; Simulated error")))
        << errors.toStdString();
    EXPECT_FALSE(errors.contains(QLatin1Char('\r')));
}

TEST_F(VerdictRun, ANewSequenceJudgesWithTheStandardsItsElementsCarryUserMadeOnesIncluded)
{
    simulator({{QStringLiteral("LeakRate"), QStringLiteral("10")}});
    // Built as in the window: a new document, an element, a standard made with "New standard".
    SequenceDocument document;
    document.SetTitle(QStringLiteral("Built in the window"));
    auto element = host->PlugIn()->CreateTest(300);
    auto standard = element->Limits()->CreateStandard(Variant("MINE"), Variant("My own limits"));
    for (const auto& item : standard->LimitItems())
        if (item->Key() == QLatin1String("RATE"))
            item->SetLimit(0, 1.0);
    document.Add(element);
    ASSERT_EQ(document.SelectedStandards().size(), 1);
    EXPECT_EQ(document.SelectedStandards()[0].shortName, QStringLiteral("MINE"));
    document.SaveAs(file("mine.xml"));

    // A leak rate of 10 mmHg/min fails "MINE: <= 1 mmHg/min"; the unlimited drop is not judged.
    const int status = run({file("mine.xml"), QStringLiteral("--json"), file("mine.json")});
    EXPECT_EQ(status, exitcode::kFailed) << output.toStdString() << errors.toStdString();
    const auto json = QJsonDocument::fromJson(readFile(file("mine.json"))).object();
    const auto measurements = json[QStringLiteral("elements")].toArray()[0].toObject()[QStringLiteral("measurements")].toArray();
    ASSERT_EQ(measurements.size(), 2);
    EXPECT_EQ(measurements[0].toObject()[QStringLiteral("statusText")].toString(), QStringLiteral("Not judged"));
    EXPECT_EQ(measurements[0].toObject()[QStringLiteral("limits")].toString(), QString());
    EXPECT_EQ(measurements[1].toObject()[QStringLiteral("statusText")].toString(), QStringLiteral("Failed"));
    EXPECT_EQ(measurements[1].toObject()[QStringLiteral("limits")].toString(), QStringLiteral("MINE: <= 1 mmHg/min"));
}

TEST_F(VerdictRun, WithoutAnyLimitThatJudgesTheRunIsNotJudgedNotPassed)
{
    simulator({});
    // EXAMPLE-A is selected, but the element's own EXAMPLE-A sets no limit of its keys.
    const QString sequence = write(QStringLiteral("unjudged.xml"), leakSequence(QStringLiteral("10"), QStringLiteral("250"),
                                                                                 QString(), QString()));
    const int status = run({sequence, QStringLiteral("--json"), file("unjudged.json")});
    EXPECT_EQ(status, exitcode::kIncomplete) << output.toStdString() << errors.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Overall: NOT JUDGED"))) << output.toStdString();
    const auto json = QJsonDocument::fromJson(readFile(file("unjudged.json"))).object();
    EXPECT_EQ(json[QStringLiteral("elements")].toArray()[0].toObject()[QStringLiteral("statusText")].toString(),
              QStringLiteral("Not judged"));
}

TEST_F(VerdictRun, DocumentsThatWouldSendRefusedValuesAreNotRun)
{
    simulator({});
    const QString second = QStringLiteral(R"(
    <Element PlugIn="NB-4410" TestID="300" ID="1" Name="Second leak" Enabled="maybe">
      <PlugInData PlugIn="NB-4410"><StartPressure>1e308</StartPressure><TestedEquipment>9</TestedEquipment><Duration>-60</Duration></PlugInData>
    </Element>)");
    struct Case {
        const char* name;
        QString text;
        QStringList named;
    };
    const std::vector<Case> cases = {
        {"start pressure not a number", leakSequence(QStringLiteral("60"), QStringLiteral("abc")),
         {QStringLiteral("StartPressure \"abc\""), QStringLiteral("Leak test")}},
        {"values out of range, enabled unknown, an ID twice", leakSequence(QStringLiteral("60"), QStringLiteral("250"), second),
         {QStringLiteral("StartPressure \"1e308\""), QStringLiteral("TestedEquipment \"9\""), QStringLiteral("Duration \"-60\""),
          QStringLiteral("Enabled=\"maybe\""), QStringLiteral("ID=\"1\""), QStringLiteral("Second leak")}},
        {"a limit that is no number", leakSequence(QStringLiteral("60"), QStringLiteral("250"), QString(), QStringLiteral("nan")),
         {QStringLiteral("RATE Upper=\"nan\"")}},
        {"an infinite limit", leakSequence(QStringLiteral("60"), QStringLiteral("250"), QString(), QStringLiteral("1e999")),
         {QStringLiteral("RATE Upper=\"1e999\"")}},
        {"a selected standard that judges nothing",
         leakSequence(QStringLiteral("60"), QStringLiteral("250"), QString(), QStringLiteral("1"), QStringLiteral("EXAMPLE-B")),
         {QStringLiteral("EXAMPLE-B")}},
    };
    for (const Case& c : cases) {
        const QString sequence = write(QStringLiteral("refused.xml"), c.text);
        EXPECT_EQ(run({sequence}), exitcode::kUsage) << c.name << "\n" << errors.toStdString();
        EXPECT_FALSE(output.contains(QStringLiteral("[1/"))) << c.name << ": an element ran\n" << output.toStdString();
        for (const QString& named : c.named)
            EXPECT_TRUE(errors.contains(named)) << c.name << ": " << named.toStdString() << " not named in\n"
                                                << errors.toStdString();
    }

    // The window loads such a document with the problems named and the defaults kept.
    auto progress = std::make_shared<Progress>();
    auto document = SequenceDocument::Load(write(QStringLiteral("warned.xml"), leakSequence(QStringLiteral("60"), QStringLiteral("abc"))),
                                           host->Factory(), progress);
    ASSERT_EQ(document->Problems().size(), 1);
    EXPECT_TRUE(document->Problems()[0].contains(QStringLiteral("warned.xml"))) << document->Problems()[0].toStdString();
    EXPECT_TRUE(document->Problems()[0].contains(QStringLiteral("0 to 400"))) << document->Problems()[0].toStdString();
    EXPECT_EQ(progress->WorstSeverity(), SequenceDocument::kRefusedSeverity);
}

TEST_F(VerdictRun, AReopenedDocumentReportsExactlyAsTheFreshOne)
{
    // A leak of 0.5 mmHg/min: drop and rate carry decimals that the "0" format rounds, and the
    // limit of 0.5 must print as 0.5.
    simulator({{QStringLiteral("LeakRate"), QStringLiteral("0.5")}});
    const QString sequence =
        write(QStringLiteral("fresh.xml"), leakSequence(QStringLiteral("20"), QStringLiteral("250"), QString(), QStringLiteral("0.5")));
    run({sequence, QStringLiteral("--save"), file("saved.xml"), QStringLiteral("--html"), file("fresh.html")});

    auto reopened = SequenceDocument::Load(file("saved.xml"), host->Factory(), nullptr);
    const StandardsCatalog catalog;
    const QString again =
        ReportBuilder::Build(*reopened, ReportBuilder::MakeContext(*reopened, catalog.Resolve(*reopened)), false)->RenderHtml();
    // The table rows of the measurements and limits, fresh and reopened.
    const auto rowsOf = [](const QString& html) {
        QStringList rows;
        for (const QString& row : html.split(QStringLiteral("<tr")))
            if (row.contains(QStringLiteral("Pressure Drop")) || row.contains(QStringLiteral("Leak Rate")))
                rows << row.section(QStringLiteral("</tr>"), 0, 0);
        return rows;
    };
    const QStringList fresh = rowsOf(QString::fromUtf8(readFile(file("fresh.html"))));
    ASSERT_GE(fresh.size(), 2) << output.toStdString() << errors.toStdString();
    EXPECT_EQ(rowsOf(again), fresh);
}

} // namespace
