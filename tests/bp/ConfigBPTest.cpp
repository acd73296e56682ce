// The blood-pressure configurations and their registry tables: presets read from the test's
// own registry data, parameter blocks, preset data strings, stored form and clones.
#include "BPRegistry.h"

#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"
#include "plugin/tests/bp/CConfigIBP.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "plugin/tests/bp/CPresetValues.h"
#include "plugin/tests/bp/MConfigBP.h"
#include "tests/support/TextLists.h"
#include "tests/support/plugin/StoredConfig.h"

#include <QComboBox>

#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::StorageDocument;
using ostrel::Variant;

namespace {

using ostrel::testing::texts;

// The five simulated values in key order SYST, DIAS, MAPR, HART, PULS (Empty ones as "").
QStringList values(INB4410ConfigBP& config)
{
    QStringList out;
    for (const char* key : {"SYST", "DIAS", "MAPR", "HART", "PULS"})
        out << config.RetrievePresetValue(key).text();
    return out;
}

class BPTables : public ::testing::Test {
protected:
    nb4410::testing::BPRegistryGuard registry;
};

TEST_F(BPTables, IncompleteEntriesStayAsEmptyRecordsThatNeverMatch)
{
    CPresetValues presets;
    presets.LoadPresets(btPreset);
    ASSERT_EQ(presets.Adult().size(), 3u);
    EXPECT_EQ(presets.Adult()[0].ID, 1);
    EXPECT_EQ(presets.Adult()[0].Name, "Adult One");
    EXPECT_EQ(presets.Adult()[1].ID, 0); // no "Data"
    EXPECT_TRUE(presets.Adult()[1].Name.isEmpty());
    ASSERT_EQ(presets.Neonate().size(), 3u);
    EXPECT_EQ(presets.Neonate()[2].ID, 10);

    EXPECT_EQ(presets.PresetData(false, 3), "150;100;117;90;2.5");
    EXPECT_EQ(presets.PresetData(true, 9), "60;30;40;140");
    EXPECT_TRUE(presets.PresetData(false, 99).isEmpty());
    EXPECT_TRUE(presets.PresetData(false, 2).isEmpty());

    QComboBox list;
    list.addItem("stale");
    presets.FillPresetList(&list, false);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(1), "");
    EXPECT_EQ(list.itemData(1).toInt(), 0);
    EXPECT_EQ(list.itemData(2).toInt(), 3);
    EXPECT_EQ(list.currentIndex(), -1);

    // Artifacts are the other family; any other family empties both lists.
    presets.LoadPresets(btArtifact);
    EXPECT_EQ(presets.Adult().size(), 2u);
    ASSERT_EQ(presets.Neonate().size(), 1u);
    EXPECT_EQ(presets.Neonate()[0].ID, 0); // its sub-key is "8", not "1"
    presets.LoadPresets(btIndependent);
    EXPECT_TRUE(presets.Adult().empty());
    EXPECT_TRUE(presets.Neonate().empty());
}

TEST_F(BPTables, PresetNamesFollowFamilyPatientAndNumbering)
{
    struct Case {
        std::int32_t type;
        std::int32_t patient;
        std::uint8_t preset;
        QString name;
    };
    for (const Case& c : {Case{btPreset, 0, 3, "Adult Three"}, Case{btPreset, 1, 8, "Neonate Eight"},
                          Case{btPreset, 1, 10, "Neonate Ten"}, Case{btArtifact, 0, 2, "Artifact Two"},
                          Case{btArtifact, 1, 8, "Neonate Artifact Eight"}, Case{btArtifact, 1, 1, ""},
                          Case{btPreset, 0, 2, "Adult Two without data"}, Case{btPreset, 0, 9, ""},
                          Case{btIndependent, 0, 1, ""}, Case{0, 0, 1, ""}}) {
        CConfigPBP config;
        config.SetTestType(c.type);
        config.SetPatientType(c.patient);
        config.SetSelectedPreset(c.preset);
        EXPECT_EQ(config.SelectedPresetName(), c.name) << c.type << "/" << c.patient << "/" << int(c.preset);
    }
}

TEST(BPArrhythmia, NamesOfTheSixChoices)
{
    const QStringList expected{"", "Off", "PAC", "AFIB", "2-BLK II", "PVC STD", "Artifact", ""};
    for (int selection = 0; selection < expected.size(); ++selection)
        EXPECT_EQ(MConfigBP::ArrhythmiaSimName(selection), expected[selection]) << selection;
    EXPECT_EQ(MConfigBP::ArrhythmiaSimName(-1), "");
}

TEST(BPPresetData, FieldsAreAppliedOnlyWhenPresent)
{
    CConfigPBP config;
    config.StorePresetValue("120;80;93;60;2");
    EXPECT_EQ(values(config), (QStringList{"120", "80", "93", "60", "2"}));

    config.StorePresetValue("130;;95");
    EXPECT_EQ(values(config), (QStringList{"130", "80", "95", "60", "2"}));

    // Leading numbers; the heart rate is rounded, halves to even.
    config.StorePresetValue("99.5mmHg;abc;;72.5;1.25");
    EXPECT_EQ(values(config), (QStringList{"99.5", "0", "95", "72", "1.25"}));

    // An empty key is no preset; a heart rate beyond 16 bits is refused, the rest applies.
    config.StorePresetValue("");
    config.StorePresetValue("1;2;3;99999;4");
    EXPECT_EQ(values(config), (QStringList{"1", "2", "3", "72", "4"}));

    // The independent configuration takes single keys only.
    CConfigIBP independent;
    independent.StorePresetValue("10;20;30;40;5");
    EXPECT_EQ(values(independent), (QStringList{"120", "80", "", "80", "2"}));
    independent.StorePresetValue("HART", Variant(65.5));
    independent.StorePresetValue("MAPR", Variant(99));
    EXPECT_EQ(values(independent), (QStringList{"120", "80", "", "66", "2"}));
}

TEST_F(BPTables, PresetDefaultsComeFromTheFirstAdultEntry)
{
    CConfigPBP preset;
    preset.SetPatientType(1);
    preset.LoadDefaults(btPreset);
    EXPECT_EQ(preset.TestType(), btPreset);
    EXPECT_EQ(preset.PatientType(), 0);
    EXPECT_EQ(preset.SelectedPreset(), 1);
    EXPECT_EQ(values(preset), (QStringList{"120", "80", "93", "60", "2"}));
    EXPECT_EQ(texts(preset.RetrieveTestParams().array()), (QStringList{"100", "2", "1", "0", "120", "80", "60", "2", "1"}));

    CConfigPBP artifact;
    artifact.LoadDefaults(btArtifact);
    EXPECT_EQ(artifact.SelectedPreset(), 1);
    EXPECT_EQ(texts(artifact.RetrieveTestParams().array()), (QStringList{"100", "3", "1", "0", "110", "70", "75", "1.5", "1"}));

    // Another type only resets: the patient and the settings object, nothing else.
    auto settings = artifact.TestGuideConfig();
    artifact.SetPatientType(1);
    artifact.LoadDefaults(btIndependent);
    EXPECT_EQ(artifact.PatientType(), 0);
    EXPECT_EQ(artifact.SelectedPreset(), 1);
    EXPECT_EQ(values(artifact), (QStringList{"110", "70", "83", "75", "1.5"}));
    EXPECT_NE(artifact.TestGuideConfig(), settings);

    artifact.SetArrhythmiaSim(4);
    EXPECT_EQ(artifact.ArrhythmiaSim(), 0);
}

TEST(BPPresetConfig, StoredFormRoundTrip)
{
    nb4410::testing::BPRegistryGuard registry;
    CConfigPBP config;
    config.LoadDefaults(btPreset);
    config.SetPatientType(1);
    config.SetSelectedPreset(10);
    config.StorePresetValue("100;60;73.5;130;1.25");
    config.TestGuideConfig()->SetOption(0, false);
    auto document = StorageDocument::Create();
    CConfigPBP loaded;
    loaded.LoadDefaults(btPreset);
    const ostrel::StorageElement stored = nb4410::testing::saveAndLoadInto(config, loaded, document);
    EXPECT_EQ(stored.FirstChild("Preset").Attribute("Type"), "10");
    EXPECT_EQ(stored.FirstChild("Preset").Attribute("Patient"), "1");
    EXPECT_EQ(stored.FirstChild("Map").Text(), "73.5");
    EXPECT_TRUE(stored.FirstChild("TestGuideSettings"));
    EXPECT_EQ(loaded.SelectedPreset(), 10);
    EXPECT_EQ(loaded.PatientType(), 1);
    EXPECT_EQ(values(loaded), (QStringList{"100", "60", "73.5", "130", "1.25"}));
    EXPECT_FALSE(loaded.TestGuideConfig()->SkipNAEnabled());
    EXPECT_EQ(loaded.TestType(), btPreset); // not stored: the type given at creation stays
}

TEST(BPPresetConfig, MissingChildrenKeepTheValuesAndWarnOnce)
{
    auto document = StorageDocument::Create();
    ostrel::StorageElement element = document->CreateElement("PlugInData");
    ostrel::StorageElement preset = document->CreateElement("Preset");
    preset.SetAttribute("Type", "");
    preset.SetAttribute("Patient", "1");
    element.AppendChild(preset);

    CConfigPBP config;
    config.SetSelectedPreset(5);
    config.StorePresetValue("121;81;94;61;3");
    config.TestGuideConfig()->SetOption(0, false);
    auto progress = std::make_shared<ostrel::Progress>();
    config.Load(element, progress);
    EXPECT_EQ(config.SelectedPreset(), 5); // an empty attribute leaves it
    EXPECT_EQ(config.PatientType(), 1);
    EXPECT_EQ(values(config), (QStringList{"121", "81", "94", "61", "3"}));
    EXPECT_TRUE(config.TestGuideConfig()->SkipNAEnabled()); // a fresh settings object
    nb4410::testing::expectOneMissingParameterWarning(*progress);
}

TEST(BPConfig, WrongRootAndMissingDocumentFailWithTheClassErrors)
{
    auto document = StorageDocument::Create();
    for (int which = 0; which < 2; ++which) {
        std::shared_ptr<ostrel::IConfigData> config;
        QString source;
        if (which == 0) {
            config = std::make_shared<CConfigPBP>();
            source = CConfigPBP::kSource;
        } else {
            config = std::make_shared<CConfigIBP>();
            source = CConfigIBP::kSource;
        }
        nb4410::testing::expectResultRootRefused(*config, ostrel::hr(0x8004A3C2u), source);
        try {
            config->Save(nullptr);
            ADD_FAILURE() << "saved without a document";
        } catch (const ostrel::ComError& failure) {
            EXPECT_EQ(failure.number(), ostrel::hr(0x8004A3C3u));
            EXPECT_EQ(failure.source(), source);
        }
    }
}

TEST(BPConfig, ClonesAreEqualAndIndependent)
{
    CConfigPBP preset;
    preset.SetTestType(btArtifact);
    preset.SetSelectedPreset(2);
    preset.SetPatientType(1);
    preset.StorePresetValue("130;90;103;85;1.5");
    preset.TestGuideConfig()->SetOption(0, false);
    auto copy = std::dynamic_pointer_cast<CConfigPBP>(preset.Clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->TestType(), btArtifact);
    EXPECT_EQ(copy->SelectedPreset(), 2);
    EXPECT_EQ(copy->PatientType(), 1);
    EXPECT_EQ(values(*copy), values(preset));
    EXPECT_FALSE(copy->TestGuideConfig()->SkipNAEnabled());
    EXPECT_NE(copy->TestGuideConfig(), preset.TestGuideConfig());
    copy->StorePresetValue("SYST", Variant(10));
    EXPECT_EQ(preset.RetrievePresetValue("SYST").text(), "130");

    CConfigIBP independent;
    independent.StorePresetValue("SYST", Variant(140));
    independent.SetArrhythmiaSim(3);
    auto other = std::dynamic_pointer_cast<CConfigIBP>(independent.Clone());
    ASSERT_TRUE(other);
    EXPECT_EQ(values(*other), values(independent));
    EXPECT_EQ(other->ArrhythmiaSim(), 3);
    EXPECT_NE(other->TestGuideConfig(), independent.TestGuideConfig());
}

TEST(BPIndependentConfig, DefaultsParameterBlockAndFixedMembers)
{
    CConfigIBP config;
    EXPECT_EQ(texts(config.RetrieveTestParams().array()), (QStringList{"100", "1", "0", "0", "120", "80", "80", "2", "1"}));
    config.SetTestType(btPreset);
    config.SetPatientType(1);
    config.SetSelectedPreset(9);
    EXPECT_EQ(config.TestType(), btIndependent);
    EXPECT_EQ(config.PatientType(), 0);
    EXPECT_EQ(config.SelectedPreset(), 0);
    EXPECT_TRUE(config.SelectedPresetName().isEmpty());

    config.StorePresetValue("SYST", Variant(150.5f));
    config.SetArrhythmiaSim(5);
    EXPECT_EQ(texts(config.RetrieveTestParams().array()).mid(4), (QStringList{"150.5", "80", "80", "2", "5"}));
    config.LoadDefaults(btPreset);
    EXPECT_EQ(texts(config.RetrieveTestParams().array()), (QStringList{"100", "1", "0", "0", "120", "80", "80", "2", "1"}));
}

TEST(BPIndependentConfig, StoredFormAndMissingChildren)
{
    CConfigIBP config;
    config.StorePresetValue("SYST", Variant(135));
    config.StorePresetValue("DIAS", Variant(85));
    config.StorePresetValue("HART", Variant(70));
    config.StorePresetValue("PULS", Variant(1.5));
    config.SetArrhythmiaSim(4);
    auto document = StorageDocument::Create();
    const ostrel::StorageElement stored = config.Save(document);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.FirstChild("ArrhythmiaSim").Text(), "4");
    EXPECT_FALSE(stored.FirstChild("Map"));

    CConfigIBP loaded;
    auto progress = std::make_shared<ostrel::Progress>();
    loaded.Load(stored, progress);
    EXPECT_EQ(values(loaded), values(config));
    EXPECT_EQ(loaded.ArrhythmiaSim(), 4);
    EXPECT_TRUE(progress->Log().empty());

    ostrel::StorageElement partial = document->CreateElement("PlugInData");
    partial.AddChild("Systolic", "100");
    loaded.Load(partial, progress);
    EXPECT_EQ(values(loaded), (QStringList{"100", "80", "", "80", "2"}));
    EXPECT_EQ(loaded.ArrhythmiaSim(), 1);
    EXPECT_EQ(progress->Log().size(), 1u);
}

} // namespace
