// The measurement: its stored record, flags, texts and evaluation.
#include "plugin/measure/CMeasurement.h"

#include "host/core/ComError.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"
#include "host/storage/StatusCodec.h"
#include "host/storage/StorageElement.h"
#include "plugin/measure/MMeasureKey.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::Variant;

namespace {

MeasurementPtr rateMeasurement()
{
    auto measurement = std::make_shared<CMeasurement>();
    measurement->Define(QStringLiteral("RATE"), QStringLiteral("mmHg/min"), QStringLiteral("20372::Leak Rate"), 1);
    measurement->SetValueFormat(QStringLiteral("0"));
    return measurement;
}

// A rate measured with its preset and a flag, its status updated without limits.
MeasurementPtr measuredRate(const ostrel::Variant& value, const ostrel::Variant& preset, const char* flag)
{
    auto measurement = rateMeasurement();
    measurement->SetValue(value);
    measurement->SetPresetValue(preset);
    measurement->AddFlag(QString::fromLatin1(flag));
    measurement->UpdateStatus(nullptr, nullptr);
    return measurement;
}

QStringList childNames(const ostrel::StorageElement& element)
{
    QStringList names;
    for (int i = 0; i < element.ChildCount(); ++i)
        names << element.Child(i).Name();
    return names;
}

ostrel::StorageElement parse(const QByteArray& xml)
{
    auto document = ostrel::StorageDocument::Create();
    document->LoadText(xml);
    return document->Root();
}

} // namespace

TEST(MeasureKeys, RateHasItsUnitAndLimitUnits)
{
    EXPECT_EQ(MMeasureKey::Unit(QStringLiteral("RATE")), QStringLiteral("mmHg/min"));
    EXPECT_EQ(MMeasureKey::UnitChoices(QStringLiteral("RATE")), QStringLiteral("mmHg/min;%"));
    EXPECT_EQ(MMeasureKey::Format(QStringLiteral("MAPR")), QStringLiteral("0.0"));
    EXPECT_TRUE(MMeasureKey::Format(QStringLiteral("PEAK")).isEmpty());
    EXPECT_EQ(MMeasureKey::KeysOfTest(110).size(), 3u);
    EXPECT_EQ(MMeasureKey::KeysOfTest(130).back(), QStringLiteral("MAPR"));
    EXPECT_TRUE(MMeasureKey::KeysOfTest(999).empty());
}

TEST(Measurement, SavesItsRecordInOrderAndLoadsItBack)
{
    auto measurement = measuredRate(2.5f, 3.0f, "O");
    auto document = ostrel::StorageDocument::Create();
    const auto element = measurement->Save(document);

    ASSERT_TRUE(element);
    EXPECT_EQ(element.Attribute(QStringLiteral("Key")), QStringLiteral("RATE"));
    EXPECT_EQ(element.Attribute(QStringLiteral("Flags")), QStringLiteral("O"));
    EXPECT_EQ(childNames(element), (QStringList{"Description", "Value", "PresetValue", "Unit", "Status"}));
    EXPECT_EQ(element.FirstChild(QStringLiteral("Description")).Text(), QStringLiteral("20372::Leak Rate"));
    EXPECT_EQ(element.FirstChild(QStringLiteral("PresetValue")).Text(), QStringLiteral("3"));

    CMeasurement loaded;
    loaded.Load(element, nullptr);
    EXPECT_EQ(loaded.Key(), QStringLiteral("RATE"));
    EXPECT_EQ(loaded.Value(), Variant(2.5f));
    EXPECT_EQ(loaded.ValueType(), 1);
    EXPECT_EQ(loaded.PresetValue(), Variant(QStringLiteral("3"))); // kept as text
    EXPECT_EQ(loaded.Unit(), QStringLiteral("mmHg/min"));
    EXPECT_EQ(loaded.Flags(), QStringLiteral("O"));
    EXPECT_EQ(loaded.Status(), 5); // judged by no limit, and stored so
}

TEST(Measurement, LoadsChildrenInAnyOrderAndIgnoresUnknownOnes)
{
    auto source = rateMeasurement();
    source->SetValue(4.0f);
    source->UpdateStatus(nullptr, nullptr);
    auto document = ostrel::StorageDocument::Create();
    const auto saved = source->Save(document);

    auto shuffled = document->CreateElement(QStringLiteral("Measurement"));
    shuffled.SetAttribute(QStringLiteral("Key"), QStringLiteral("RATE"));
    shuffled.AddChild(QStringLiteral("Unknown"), QStringLiteral("x"));
    shuffled.AppendChild(ostrel::StatusCodec::StatusToElement(document, 2, QString()));
    shuffled.AddChild(QStringLiteral("Unit"), QStringLiteral("mmHg/min"));
    shuffled.AppendChild(ostrel::StatusCodec::ValueToElement(document, Variant(4.0f), 1));
    shuffled.AddChild(QStringLiteral("PresetValue"), QStringLiteral("5"));
    shuffled.AddChild(QStringLiteral("Description"), QStringLiteral("20372::Leak Rate"));

    CMeasurement loaded;
    loaded.Load(shuffled, nullptr);
    EXPECT_EQ(loaded.Value(), Variant(4.0f));
    EXPECT_EQ(loaded.Status(), 2);
    EXPECT_EQ(loaded.UntranslatedDescription(), QStringLiteral("20372::Leak Rate"));
    EXPECT_EQ(loaded.PresetValue(), Variant(QStringLiteral("5")));
    EXPECT_EQ(loaded.Unit(), QStringLiteral("mmHg/min"));
}

TEST(Measurement, WithoutStatusOrKeyWritesNothing)
{
    auto document = ostrel::StorageDocument::Create();
    auto measurement = rateMeasurement();
    EXPECT_EQ(measurement->UpdateStatus(nullptr, nullptr), 0); // value Null
    EXPECT_FALSE(measurement->Save(document));

    CMeasurement keyless;
    keyless.SetValue(1);
    EXPECT_EQ(keyless.UpdateStatus(nullptr, nullptr), 5); // not judged: no limits
    EXPECT_FALSE(keyless.Save(document));
    EXPECT_FALSE(measurement->Save(nullptr)); // nothing to write, so no failure either

    measurement->SetValue(1);
    measurement->UpdateStatus(nullptr, nullptr);
    const auto failure = ostrel::testing::errorOf([&] { measurement->Save(nullptr); });
    ASSERT_TRUE(failure) << "no failure";
    EXPECT_EQ(failure->number(), CMeasurement::kSaveError);
    EXPECT_EQ(failure->source(), QStringLiteral("VessorNB4410.CMeasurement"));
    EXPECT_EQ(failure->severity(), 4);
}

TEST(Measurement, EmptyKeyFailsAndIsLoggedInTheStep)
{
    auto progress = std::make_shared<ostrel::Progress>();
    CMeasurement measurement;
    const auto failure = ostrel::testing::errorOf(
        [&] { measurement.Load(parse("<Measurement Key=\"\"><Unit>mmHg</Unit></Measurement>"), progress); });
    ASSERT_TRUE(failure) << "no failure";
    EXPECT_EQ(failure->number(), CMeasurement::kLoadError);
    EXPECT_EQ(failure->severity(), 2);
    EXPECT_EQ(failure->source(), QStringLiteral("VessorNB4410.CMeasurement"));
    ASSERT_EQ(progress->Log().size(), 1u);
    EXPECT_EQ(progress->Log()[0].number, CMeasurement::kLoadError);
    EXPECT_EQ(progress->Log()[0].severity, 2);
    EXPECT_EQ(progress->Log()[0].text, QStringLiteral("A measurement cannot be loaded because its Key is empty."));
    EXPECT_EQ(progress->OpenStepCount(), 0); // the step is closed on failure too
    EXPECT_TRUE(measurement.Unit().isEmpty());
}

TEST(Measurement, ForeignElementsAndUnreadableValuesFail)
{
    CMeasurement measurement;
    const auto failure = ostrel::testing::errorOf([&] { measurement.Load(parse("<Result Key=\"SYST\"/>"), nullptr); });
    ASSERT_TRUE(failure) << "no failure";
    EXPECT_EQ(failure->number(), CMeasurement::kLoadError);
    EXPECT_EQ(failure->severity(), 4);
    auto progress = std::make_shared<ostrel::Progress>();
    const auto unreadable = ostrel::testing::errorOf([&] {
        measurement.Load(
            parse("<Measurement Key=\"SYST\"><Unit>mmHg</Unit><Value ValueType=\"1\" VarType=\"Single\">abc</Value></Measurement>"),
            progress);
    });
    ASSERT_TRUE(unreadable) << "no failure";
    EXPECT_NE(unreadable->number(), CMeasurement::kLoadError);
    EXPECT_FALSE(unreadable->source().isEmpty());
    EXPECT_EQ(measurement.Unit(), QStringLiteral("mmHg")); // what was read before the failure stays
    EXPECT_EQ(progress->OpenStepCount(), 0);
}

TEST(Measurement, ToolTipNamesTheKnownFlagLetters)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("OE"), QStringLiteral("Measurement overflow. Error during test.")},
        {QStringLiteral("I"), QStringLiteral("Incomplete test.")},
        {QStringLiteral("oX"), QString()},
        {QString(), QString()},
    };
    for (const auto& [flags, expected] : cases) {
        CMeasurement measurement;
        measurement.AddFlag(flags);
        EXPECT_EQ(measurement.ToolTipText(), expected) << qPrintable(flags);
    }
}

TEST(Measurement, AddFlagKeepsEachLetterOnceAndEmptyClears)
{
    CMeasurement measurement;
    measurement.AddFlag(QStringLiteral("E"));
    measurement.AddFlag(QStringLiteral("E"));
    measurement.AddFlag(QStringLiteral("e"));
    measurement.AddFlag(QStringLiteral("O"));
    EXPECT_EQ(measurement.Flags(), QStringLiteral("EO"));
    measurement.AddFlag(QString());
    EXPECT_TRUE(measurement.Flags().isEmpty());
}

TEST(Measurement, ClearResultKeepsTheDefinition)
{
    auto measurement = measuredRate(3, 4, "I");
    measurement->ClearResult();
    EXPECT_TRUE(measurement->Value().isEmpty());
    EXPECT_TRUE(measurement->PresetValue().isEmpty());
    EXPECT_TRUE(measurement->Flags().isEmpty());
    EXPECT_EQ(measurement->Status(), 0);
    EXPECT_EQ(measurement->Key(), QStringLiteral("RATE"));
    EXPECT_EQ(measurement->ValueFormat(), QStringLiteral("0"));
    EXPECT_EQ(measurement->ValueType(), 1);
}

TEST(Measurement, ValueTextFollowsTheValueType)
{
    struct Case {
        std::int32_t valueType;
        Variant value;
        QString expected;
    };
    const std::vector<Case> cases = {
        {1, Variant(2.5f), QStringLiteral("2.5")},
        {2, Variant(12.0), QStringLiteral("12")},
        {3, Variant(true), QStringLiteral("True")},
        {3, Variant::null(), QStringLiteral("False")},
        {3, Variant(QStringLiteral("maybe")), QString()},
        {0, Variant(QStringLiteral("text")), QStringLiteral("text")},
    };
    for (const Case& c : cases) {
        CMeasurement measurement;
        measurement.Define(QStringLiteral("MREL"), QString(), QString(), c.valueType);
        measurement.SetValue(c.value);
        measurement.UpdateStatus(nullptr, nullptr);
        std::int32_t status = -1;
        EXPECT_EQ(measurement.GetValueText(status), c.expected) << c.valueType;
        EXPECT_EQ(status, measurement.Status());
    }
}

TEST(Measurement, ReportLinePrintsOnlyFailuresUnderOption0x10)
{
    auto report = std::make_shared<ostrel::Report>();
    auto passed = rateMeasurement();
    passed->SetValue(2.4f);
    passed->SetPresetValue(QStringLiteral("3")); // a loaded preset is text
    passed->UpdateStatus(nullptr, nullptr);
    EXPECT_EQ(passed->ReportLine(report), QStringLiteral("|      Leak Rate|3|2|mmHg/min;"));

    report->SetPrintOptions(0x10);
    EXPECT_TRUE(passed->ReportLine(report).isEmpty());

    CMeasurement failed;
    failed.Load(parse("<Measurement Key=\"MAPR\"><Status Value=\"2\"/><PresetValue>a;b|c</PresetValue></Measurement>"), nullptr);
    failed.SetValueFormat(QStringLiteral("0.0"));
    failed.SetValue(93.26);
    EXPECT_EQ(failed.ReportLine(report), QStringLiteral("|      |a,b/c|93.3|;"));
}
