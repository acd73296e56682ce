// End to end: the shipped sample sequence run headless by the automatic operator through the
// real plug-in and its test-guide windows against the built-in simulator, whose monitor
// display gives the blood-pressure readings. The report's text holds the measurement names and
// verdicts; JSON and CSV carry the same values.
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/RunCommand.h"
#include "host/core/AppUtil.h"
#include "host/core/ComError.h"
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
#include <map>
#include <set>

using namespace ostrel;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SampleRunTest, TheSampleRunsAgainstTheSimulatorAndIsReported)
{
    const auto host = ostrel::testing::loadedPlugIn();
    ASSERT_TRUE(host);
    const QString sample = AppPath() + QStringLiteral("samples/nibp-check.xml");
    ASSERT_TRUE(QFile::exists(sample)) << sample.toStdString();
    QTemporaryDir dir;
    const auto out = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };

    QString output;
    QString errors;
    QTextStream outStream(&output);
    QTextStream errStream(&errors);
    RunCommand command(outStream, errStream);
    command.UsePlugIn(host);
    const int status = command.Run(QStringList{sample, QStringLiteral("--operator"), QStringLiteral("auto"),
                                               QStringLiteral("--sim-speed"), QStringLiteral("120"), QStringLiteral("--report"),
                                               out("report.pdf"), QStringLiteral("--json"), out("result.json"),
                                               QStringLiteral("--csv"), out("result.csv"), QStringLiteral("--save"),
                                               out("result.xml"), QStringLiteral("--dut-serial"), QStringLiteral("MON-123")});
    // Every test of the instrument is in the sample, and each passes against the simulator's
    // default monitor: the blood-pressure readings were typed in from its display.
    ASSERT_EQ(status, RunCommand::kExitPassed) << output.toStdString() << errors.toStdString();
    const auto json = QJsonDocument::fromJson(readFile(out("result.json"))).object();
    const auto elements = json[QStringLiteral("elements")].toArray();
    const std::map<int, QStringList> keysOfTest{{120, {"SYST", "DIAS", "HART", "MAPR"}},
                                                {110, {"SYST", "DIAS", "HART"}},
                                                {300, {"DROP", "RATE"}},
                                                {400, {"PEAK"}},
                                                {200, {"CVOL"}}};
    std::set<int> testIds;
    QStringList csvExpected;
    for (const auto& value : elements) {
        const auto element = value.toObject();
        const int testId = element[QStringLiteral("testId")].toInt();
        testIds.insert(testId);
        const std::string name = element[QStringLiteral("name")].toString().toStdString();
        EXPECT_EQ(element[QStringLiteral("statusText")].toString(), QStringLiteral("Passed")) << name;
        QStringList keys;
        for (const auto& m : element[QStringLiteral("measurements")].toArray()) {
            const auto measurement = m.toObject();
            keys << measurement[QStringLiteral("key")].toString();
            csvExpected << QStringLiteral("%1|%2|%3|%4")
                               .arg(element[QStringLiteral("name")].toString(), measurement[QStringLiteral("key")].toString(),
                                    measurement[QStringLiteral("valueText")].toString(),
                                    measurement[QStringLiteral("statusText")].toString());
        }
        ASSERT_TRUE(keysOfTest.count(testId)) << name << " has test ID " << testId;
        for (const QString& key : keysOfTest.at(testId))
            EXPECT_TRUE(keys.contains(key)) << name << " lacks " << key.toStdString();
    }
    EXPECT_EQ(testIds, (std::set<int>{110, 120, 200, 300, 400}));
    EXPECT_EQ(json[QStringLiteral("verdict")].toString(), QStringLiteral("PASSED"));
    // The typed readings are the monitor's: the preset's 120/80 (93) at 80 BPM.
    EXPECT_TRUE(output.contains(QStringLiteral("SYST 120 mmHg, DIAS 80 mmHg, HART 80 BPM, MAPR 93"))) << output.toStdString();

    // The CSV rows carry the same values (names hold a comma, so they are quoted).
    QStringList csvSeen;
    const QStringList lines = QString::fromUtf8(readFile(out("result.csv"))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        QString name;
        if (line.startsWith(QLatin1Char('"'))) {
            const int end = line.indexOf(QStringLiteral("\","), 1);
            name = line.mid(1, end - 1);
            line = line.mid(end + 2);
        } else {
            name = line.section(QLatin1Char(','), 0, 0);
            line = line.section(QLatin1Char(','), 1);
        }
        const QStringList fields = line.split(QLatin1Char(','));
        csvSeen << QStringLiteral("%1|%2|%3|%4").arg(name, fields.value(0), fields.value(2), fields.value(6));
    }
    EXPECT_EQ(csvSeen, csvExpected);

    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    const QString text = ostrel::testing::pdfText(out("report.pdf"));
    // "Released" stands whole in its value column (a narrower one cut it in two).
    for (const char* expected : {"MON-123", "Pressure Drop", "Leak Rate", "NB-4410", "EXAMPLE-A", "Released"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Passed")) || text.contains(QStringLiteral("Failed")));
}

} // namespace
