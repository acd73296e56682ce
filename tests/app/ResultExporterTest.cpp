// The exports for service-management systems: the same values in JSON and CSV, one CSV row
// per measurement, texts quoted where they must be.
#include "FakeElement.h"

#include "app/common/ExitCode.h"
#include "app/ostrel/ResultExporter.h"
#include "app/ostrel/RunCommand.h"
#include "app/ostrel/SequenceDocument.h"
#include "host/results/LimitItem.h"
#include "host/core/BasicNumber.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

std::shared_ptr<FakeElement> addElement(SequenceDocument& document, const QString& name)
{
    auto element = std::make_shared<FakeElement>();
    element->Initialize(QStringLiteral("FAKE"), 30, 0);
    document.Add(element);
    document.Rename(document.Count() - 1, name);
    return element;
}

void addLimit(FakeElement& element, const QString& shortName, const QString& key, const QString& upper, const QString& lower)
{
    auto standard = element.limits().CreateStandard(Variant(shortName), Variant(shortName + QStringLiteral(" full")));
    auto item = std::make_shared<LimitItem>();
    item->Initialize(key, QStringLiteral("mmHg"), upper, lower);
    standard->AddLimitItem(item);
}

// CSV text into rows of fields (quoted fields may hold commas, quotes and line breaks).
std::vector<QStringList> parseCsv(const QString& text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows.push_back(row);
            row.clear();
            field.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    return rows;
}

class ResultExporterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.SetSelectedStandards({{QStringLiteral("AAMI"), QStringLiteral("AAMI full")}});
        auto leak = addElement(document, QStringLiteral("Leak, cuff"));
        addLimit(*leak, QStringLiteral("AAMI"), QStringLiteral("DROP"), QStringLiteral("5"), QString());
        addLimit(*leak, QStringLiteral("OTHER"), QStringLiteral("DROP"), QStringLiteral("1"), QStringLiteral("0"));
        leak->result().status = 2;
        leak->result().measurements = {
            std::make_shared<FakeMeasurement>(QStringLiteral("DROP"), QStringLiteral("Pressure \"Drop\""), Variant(7.5),
                                              Variant(), QStringLiteral("mmHg"), 2, QStringLiteral("M")),
            std::make_shared<FakeMeasurement>(QStringLiteral("RATE"), QStringLiteral("Leak Rate"), Variant(1.25),
                                              Variant(2.0), QStringLiteral("mmHg/min"), 1),
        };
        addElement(document, QStringLiteral("Not run yet"));
    }
    SequenceDocument document;
};

TEST_F(ResultExporterTest, CsvHasOneRowPerMeasurementWithItsLimits)
{
    const auto rows = parseCsv(QString::fromUtf8(ResultExporter::ToCsv(SequenceResults::Collect(document))));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], ResultExporter::CsvColumns());
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("Leak, cuff"), QStringLiteral("DROP"), QStringLiteral("Pressure \"Drop\""),
                                    QStringLiteral("7.5"), QString(), QStringLiteral("mmHg"), QStringLiteral("AAMI: <= 5 mmHg"),
                                    QStringLiteral("Failed"), QStringLiteral("M"), QString(), QString(), QString(), QStringLiteral("Failed"),
                                    QString()}));
    EXPECT_EQ(rows[2][3], QStringLiteral("1.25"));
    EXPECT_EQ(rows[2][4], QStringLiteral("2"));
    EXPECT_EQ(rows[2][6], QString()); // no limit for RATE
    EXPECT_EQ(rows[2][7], QStringLiteral("Passed"));
}

TEST_F(ResultExporterTest, CsvRowsNameTheDeviceAndRunDateAndKeepFormulasText)
{
    DeviceUnderTest dut;
    dut.serialNumber = QStringLiteral("=HYPERLINK(\"x\")");
    document.SetDut(dut);
    document.Entry(0).element->Result()->SetComment(QStringLiteral("=cuff worn, replaced"));
    document.SetRunTimes(0, QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC),
                         QDateTime(QDate(2026, 3, 2), QTime(9, 5), Qt::UTC));
    struct Case {
        const char* name;
        const char* description;
        const char* expected;
    };
    const Case cases[] = {
        {"plain", "Leak Rate", "Leak Rate"},
        {"equals", "=1+1", "'=1+1"},
        {"plus", "+A1", "'+A1"},
        {"minus text", "-A1*2", "'-A1*2"},
        {"at", "@SUM(A1)", "'@SUM(A1)"},
        {"tab", "\tX", "'\tX"},
        {"negative number", "-3.5", "-3.5"},
    };
    for (const Case& c : cases) {
        auto& measurement = *document.Entry(0).element->Result()->Measurement(Variant(2));
        dynamic_cast<FakeMeasurement&>(measurement).description = QString::fromUtf8(c.description);
        const auto rows = parseCsv(QString::fromUtf8(ResultExporter::ToCsv(SequenceResults::Collect(document), &document)));
        ASSERT_EQ(rows.size(), 3u) << c.name;
        EXPECT_EQ(rows[2][2], QString::fromUtf8(c.expected)) << c.name;
        const auto column = [&](const char* name) { return rows[2][rows[0].indexOf(QString::fromLatin1(name))]; };
        EXPECT_EQ(column("deviceSerial"), QStringLiteral("'=HYPERLINK(\"x\")")) << c.name;
        EXPECT_EQ(column("runDate"), QStringLiteral("2026-03-02T09:05:00Z")) << c.name;
        EXPECT_EQ(column("elementStatus"), QStringLiteral("Failed")) << c.name;
        EXPECT_EQ(column("comment"), QStringLiteral("'=cuff worn, replaced")) << c.name;
    }
}

TEST_F(ResultExporterTest, JsonHoldsTheSameValuesAsCsv)
{
    const auto results = SequenceResults::Collect(document);
    const auto json = QJsonDocument::fromJson(ResultExporter::ToJson(document, results)).object();
    const auto rows = parseCsv(QString::fromUtf8(ResultExporter::ToCsv(results)));
    EXPECT_EQ(json[QStringLiteral("verdict")].toString(), QStringLiteral("FAILED"));
    const auto elements = json[QStringLiteral("elements")].toArray();
    ASSERT_EQ(elements.size(), 2);
    EXPECT_EQ(elements[1].toObject()[QStringLiteral("statusText")].toString(), QStringLiteral("Not run"));
    const auto measurements = elements[0].toObject()[QStringLiteral("measurements")].toArray();
    ASSERT_EQ(measurements.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto m = measurements[i].toObject();
        const QStringList& row = rows[static_cast<size_t>(i + 1)];
        EXPECT_EQ(m[QStringLiteral("key")].toString(), row[1]);
        EXPECT_EQ(m[QStringLiteral("description")].toString(), row[2]);
        EXPECT_EQ(numberToText(m[QStringLiteral("value")].toDouble()), row[3]);
        EXPECT_EQ(m[QStringLiteral("preset")].toString(), row[4]);
        EXPECT_EQ(m[QStringLiteral("limits")].toString(), row[6]);
        EXPECT_EQ(m[QStringLiteral("statusText")].toString(), row[7]);
    }
}

TEST(SequenceResultsTest, LimitTexts)
{
    struct Case {
        QString upper, lower;
        int unitFlag;
        QString expected;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("5"), QStringLiteral("1"), 0, QStringLiteral("S: 1 .. 5 mmHg")},
        {QStringLiteral("5"), QString(), 0, QStringLiteral("S: <= 5 mmHg")},
        {QString(), QStringLiteral("1.5"), 0, QStringLiteral("S: >= 1.5 mmHg")},
        {QString(), QString(), 0, QString()},
        {QStringLiteral("10"), QString(), 1, QStringLiteral("S: <= 10 ccm")}, // the measurement's unit applies
    };
    for (const auto& c : cases) {
        auto element = std::make_shared<FakeElement>();
        element->Initialize(QStringLiteral("FAKE"), 10, 1);
        addLimit(*element, QStringLiteral("S"), QStringLiteral("CVOL"), c.upper, c.lower);
        element->limits().standards->Item(0)->LimitItems()[0]->SetUnitFlag(c.unitFlag);
        EXPECT_EQ(SequenceResults::LimitsText(element->limits().standards, {{QStringLiteral("S"), QStringLiteral("S full")}},
                                              QStringLiteral("CVOL"), QStringLiteral("ccm")),
                  c.expected);
        // Nothing selected: nothing judged, so no limit is shown.
        EXPECT_EQ(SequenceResults::LimitsText(element->limits().standards, {}, QStringLiteral("CVOL"), QStringLiteral("ccm")),
                  QString());
        element->Terminate();
    }
}

TEST(SequenceResultsTest, AFailedMeasurementWithoutAValueSaysWhy)
{
    SequenceDocument document;
    auto bp = addElement(document, QStringLiteral("BP"));
    bp->result().status = 2;
    auto noReading = std::make_shared<FakeMeasurement>(QStringLiteral("DIAS"), QStringLiteral("Diastolic"), Variant(), Variant(),
                                                       QStringLiteral("mmHg"), 2, QStringLiteral("N"));
    noReading->toolTip = QStringLiteral("No reading");
    auto notEntered = std::make_shared<FakeMeasurement>(QStringLiteral("HART"), QStringLiteral("Heart Rate"), Variant(), Variant(),
                                                        QStringLiteral("BPM"), 0, QStringLiteral("I"));
    notEntered->toolTip = QStringLiteral("Incomplete test.");
    bp->result().measurements = {noReading, notEntered};
    const auto results = SequenceResults::Collect(document);
    ASSERT_EQ(results[0].measurements.size(), 2u);
    EXPECT_EQ(results[0].measurements[0].valueText, "No reading");
    EXPECT_EQ(results[0].measurements[1].valueText, ""); // not failed: nothing to explain
}

TEST(SequenceResultsTest, Verdict)
{
    auto result = [](bool enabled, bool hasResult, int status) {
        ElementResult r;
        r.enabled = enabled;
        r.hasResult = hasResult;
        r.status = status;
        return r;
    };
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 1), result(true, true, 3)}), Verdict::Passed);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 1), result(true, true, 2)}), Verdict::Failed);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 1), result(true, false, 0)}), Verdict::Incomplete);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 1), result(true, true, 0)}), Verdict::Incomplete);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 1), result(false, false, 0)}), Verdict::Passed);
    // Passed only when every enabled element passed and was judged.
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 1), result(true, true, 5)}), Verdict::NotJudged);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 5), result(true, true, 4)}), Verdict::Incomplete);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 4), result(true, true, 2)}), Verdict::Failed);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 1), result(false, true, 5)}), Verdict::Passed);
    // Nothing measured, nothing passed: every element disabled, or every one not applicable.
    EXPECT_EQ(SequenceResults::Overall({result(false, false, 0), result(false, true, 1)}), Verdict::NotJudged);
    EXPECT_EQ(SequenceResults::Overall({result(true, true, 3), result(true, true, 3)}), Verdict::NotJudged);
    EXPECT_EQ(SequenceResults::Overall(std::vector<ElementResult>{}), Verdict::NotJudged);
    EXPECT_EQ(SequenceResults::VerdictText(Verdict::NotJudged), QStringLiteral("NOT JUDGED"));
}

// The verdict read from the document's elements is the verdict of their collected results.
class DocumentVerdict : public ::testing::TestWithParam<std::vector<std::pair<bool, int>>> {};

TEST_P(DocumentVerdict, IsTheVerdictOfTheCollectedResults)
{
    SequenceDocument document;
    for (const auto& [enabled, status] : GetParam()) {
        auto element = addElement(document, QStringLiteral("E"));
        if (status < 0)
            element->core->SetResult(nullptr); // never run
        else
            element->result().status = status;
        document.SetEnabled(document.Count() - 1, enabled);
    }
    EXPECT_EQ(SequenceResults::Overall(document), SequenceResults::Overall(SequenceResults::Collect(document)));
}

INSTANTIATE_TEST_SUITE_P(Statuses, DocumentVerdict,
                         ::testing::Values(std::vector<std::pair<bool, int>>{{true, 1}, {true, 3}},
                                           std::vector<std::pair<bool, int>>{{true, 1}, {true, 2}, {true, -1}},
                                           std::vector<std::pair<bool, int>>{{true, 1}, {true, -1}},
                                           std::vector<std::pair<bool, int>>{{true, 1}, {false, -1}, {false, 2}},
                                           std::vector<std::pair<bool, int>>{{true, 5}, {true, 1}},
                                           std::vector<std::pair<bool, int>>{{true, 4}, {true, 5}},
                                           std::vector<std::pair<bool, int>>{{false, 2}}));

TEST(SequenceResultsTest, ExitCodesTellEachOutcomeApart)
{
    auto result = [](int status, const char* error = "") {
        ElementResult r;
        r.hasResult = true;
        r.status = status;
        r.error = QString::fromLatin1(error);
        return r;
    };
    EXPECT_EQ(RunCommand::ExitCodeOf({result(1), result(3)}), exitcode::kPassed);
    EXPECT_EQ(RunCommand::ExitCodeOf({result(1), result(2)}), exitcode::kFailed);
    EXPECT_EQ(RunCommand::ExitCodeOf({result(1), result(5)}), exitcode::kIncomplete);
    EXPECT_EQ(RunCommand::ExitCodeOf({result(1), result(4)}), exitcode::kIncomplete);
    EXPECT_EQ(RunCommand::ExitCodeOf({result(1), result(0)}), exitcode::kIncomplete);
    EXPECT_EQ(RunCommand::ExitCodeOf({result(2), result(4, "The instrument did not answer")}), exitcode::kInstrument);
    ElementResult disabled = result(4, "ignored");
    disabled.enabled = false;
    EXPECT_EQ(RunCommand::ExitCodeOf({result(1), disabled}), exitcode::kPassed);
}

TEST_F(ResultExporterTest, OnlyAppliedLimitsAreShownAndNoVerdictIsSaidSo)
{
    auto element = addElement(document, QStringLiteral("Interrupted"));
    addLimit(*element, QStringLiteral("AAMI"), QStringLiteral("DROP"), QStringLiteral("5"), QString());
    element->result().status = 4;
    element->result().statusText = QStringLiteral("The instrument did not answer in time.");
    element->result().measurements = {
        std::make_shared<FakeMeasurement>(QStringLiteral("DROP"), QStringLiteral("Pressure Drop"), Variant(1.5), Variant(),
                                          QStringLiteral("mmHg"), 4, QStringLiteral("IE")),
        std::make_shared<FakeMeasurement>(QStringLiteral("RATE"), QStringLiteral("Leak Rate"), Variant(0.8), Variant(),
                                          QStringLiteral("mmHg/min"), 5),
    };
    const auto results = SequenceResults::Collect(document);
    const auto rows = parseCsv(QString::fromUtf8(ResultExporter::ToCsv(results)));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3][6], QString()) << "an incomplete value was judged by nothing";
    EXPECT_EQ(rows[3][7], QStringLiteral("Incomplete"));
    EXPECT_EQ(rows[3][8], QStringLiteral("IE"));
    EXPECT_EQ(rows[3][9], QStringLiteral("The instrument did not answer in time."));
    EXPECT_EQ(rows[4][7], QStringLiteral("Not judged"));

    const auto json = QJsonDocument::fromJson(ResultExporter::ToJson(document, results)).object();
    const auto interrupted = json[QStringLiteral("elements")].toArray()[2].toObject();
    EXPECT_EQ(interrupted[QStringLiteral("statusText")].toString(), QStringLiteral("Incomplete"));
    EXPECT_EQ(interrupted[QStringLiteral("error")].toString(), QStringLiteral("The instrument did not answer in time."));
    EXPECT_TRUE(SequenceResults::StatusNote(results[2]).contains(QStringLiteral("The instrument did not answer in time.")));
    EXPECT_TRUE(SequenceResults::InstrumentFailed(results));
}

} // namespace

namespace {

// A file is written whole or not at all: a failed writing keeps what was there and says which
// file it could not write.
TEST(ResultExporterFiles, AFileIsWrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.html"));
    ResultExporter::WriteFile(path, [](QIODevice& out) {
        out.write("<p>one</p>");
        out.write("<p>two</p>");
    });
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("<p>one</p><p>two</p>"));
    written.close();

    // Content that fails half-way leaves the file as it was.
    EXPECT_ANY_THROW(ResultExporter::WriteFile(path, [](QIODevice& out) {
        out.write("<p>half</p>");
        throw ComError(kErrFileNotFound, QStringLiteral("test"), QStringLiteral("the report failed"));
    }));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("<p>one</p><p>two</p>"));
    written.close();

    const QString nowhere = dir.filePath(QStringLiteral("missing/report.html"));
    try {
        ResultExporter::WriteFile(nowhere, QByteArray("x"));
        FAIL() << "a file was written into a folder that does not exist";
    } catch (const ComError& failure) {
        EXPECT_TRUE(failure.description().contains(nowhere)) << qPrintable(failure.description());
    }
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
