// The blood-pressure configuration editors: what they show, what typing and choosing writes
// into the configuration, and the "Change" notices (none while initialising).
#include "BPRegistry.h"

#include "host/run/XTestGuideSettings.h"
#include "plugin/editors/XConfigIBP.h"
#include "plugin/editors/XConfigPBP.h"
#include "plugin/tests/bp/CConfigIBP.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "tests/support/plugin/EditorTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::Variant;

namespace {

using nb4410::testing::RecordingCallback;

class BPEditors : public ::testing::Test {
protected:
    QStringList labels(XConfigPBP& editor)
    {
        QStringList out;
        for (int i = 0; i < XConfigPBP::kValues; ++i)
            out << editor.ValueLabel(i)->text();
        return out;
    }

    nb4410::testing::BPRegistryGuard registry;
    std::shared_ptr<RecordingCallback> callback = std::make_shared<RecordingCallback>();
};

TEST_F(BPEditors, IndependentEditorShowsAndStoresTheValues)
{
    auto config = std::make_shared<CConfigIBP>();
    config->SetArrhythmiaSim(3);
    XConfigIBP editor;
    editor.SetCallBack(callback);
    // Entries without a name or with an ID below 1 are not offered.
    ASSERT_EQ(editor.ArrhythmiaList()->count(), 2);
    EXPECT_EQ(editor.ArrhythmiaList()->itemText(1), "AFIB");
    EXPECT_EQ(editor.TextBox(0)->toolTip(), "Legal range: 20 mmHg - 255 mmHg.");

    editor.Initialize(Variant(config));
    EXPECT_TRUE(callback->events.isEmpty());
    EXPECT_EQ(editor.TextBox(0)->text(), "120");
    EXPECT_EQ(editor.TextBox(2)->text(), "80");
    EXPECT_EQ(editor.TextBox(3)->text(), "2.00");
    EXPECT_EQ(editor.ArrhythmiaList()->currentIndex(), 1);
    EXPECT_EQ(editor.TestGuideSettingsControl()->Settings(), config->TestGuideConfig());

    editor.TextBox(1)->selectAll();
    QTest::keyClicks(editor.TextBox(1), "7a5");
    EXPECT_EQ(editor.TextBox(1)->text(), "75");
    EXPECT_EQ(config->RetrievePresetValue("DIAS").val(), 75.0);
    editor.TextBox(3)->selectAll();
    QTest::keyClicks(editor.TextBox(3), "1,5");
    EXPECT_EQ(config->RetrievePresetValue("PULS").val(), 1.5);
    editor.TextBox(3)->clear(); // an empty box keeps the configuration's value
    EXPECT_EQ(config->RetrievePresetValue("PULS").val(), 1.5);
    const int typed = callback->events.size();
    EXPECT_EQ(typed, 5);

    editor.ArrhythmiaList()->setCurrentIndex(0);
    EXPECT_EQ(config->ArrhythmiaSim(), 1);
    editor.TestGuideSettingsControl()->OptionBox(0)->click();
    EXPECT_FALSE(config->TestGuideConfig()->SkipNAEnabled());
    EXPECT_EQ(callback->events.size(), typed + 2);
    EXPECT_EQ(callback->events.last(), "Change");

    // Another configuration shown: still no notice.
    callback->events.clear();
    editor.Initialize(Variant(std::make_shared<CConfigIBP>()));
    EXPECT_TRUE(callback->events.isEmpty());
    EXPECT_EQ(editor.ArrhythmiaList()->currentIndex(), 0);
    editor.Initialize(Variant());
    EXPECT_TRUE(editor.TextBox(0)->text().isEmpty());
}

TEST_F(BPEditors, PresetEditorChoosesPresetsAndSwitchesPatients)
{
    auto config = std::make_shared<CConfigPBP>();
    config->LoadDefaults(btPreset);
    config->SetSelectedPreset(3);
    config->StorePresetValue("150;100;117;90;2.5");
    XConfigPBP editor;
    editor.SetCallBack(callback);
    editor.Initialize(Variant(config));
    EXPECT_TRUE(callback->events.isEmpty());
    ASSERT_EQ(editor.PresetList()->count(), 3);
    EXPECT_EQ(editor.PresetList()->currentText(), "Adult Three");
    EXPECT_TRUE(editor.PatientOption(0)->isChecked());
    EXPECT_EQ(labels(editor), (QStringList{"150", "100", "117.0", "90", "2.50"}));

    editor.PresetList()->setCurrentIndex(0);
    EXPECT_EQ(config->SelectedPreset(), 1);
    EXPECT_EQ(labels(editor), (QStringList{"120", "80", "93.0", "60", "2.00"}));
    EXPECT_EQ(callback->events, (QStringList{"Change"}));

    // Neonate presets are the adult numbers plus seven, and back.
    config->SetSelectedPreset(3);
    editor.PatientOption(1)->click();
    EXPECT_EQ(config->PatientType(), 1);
    EXPECT_EQ(config->SelectedPreset(), 10);
    EXPECT_EQ(editor.PresetList()->currentText(), "Neonate Ten");
    EXPECT_EQ(labels(editor), (QStringList{"100", "60", "73.0", "130", "1.20"}));
    editor.PatientOption(0)->click();
    EXPECT_EQ(config->SelectedPreset(), 3);
    EXPECT_EQ(labels(editor)[0], "150");
    EXPECT_EQ(callback->events.size(), 3);

    // Artifact simulations keep their number across patients.
    auto artifact = std::make_shared<CConfigPBP>();
    artifact->LoadDefaults(btArtifact);
    artifact->SetSelectedPreset(8);
    editor.Initialize(Variant(artifact));
    EXPECT_EQ(editor.PresetList()->currentIndex(), -1); // no adult artifact 8
    editor.PatientOption(1)->click();
    EXPECT_EQ(artifact->SelectedPreset(), 8);
    EXPECT_EQ(artifact->PatientType(), 1);

    editor.Initialize(Variant());
    EXPECT_EQ(labels(editor), (QStringList{"", "", "", "", ""}));
}

// The captions come from the configurations' tables, in the order of their rows.
TEST_F(BPEditors, RowCaptionsFollowTheConfigurationsTables)
{
    const auto captions = [](const QWidget& editor, const QString& name, int count) {
        QStringList texts;
        for (int i = 0; i < count; ++i) {
            const auto* label = editor.findChild<QLabel*>(name.arg(i));
            texts << (label ? label->text() : QStringLiteral("(none)"));
        }
        return texts;
    };
    const XConfigIBP independent;
    EXPECT_EQ(captions(independent, QStringLiteral("lblConfig_%1"), XConfigIBP::kRows),
              (QStringList{"Systolic (mmHg) :", "Diastolic (mmHg) :", "Heart Rate (BPM) :", "Pulse Pressure (mmHg) :"}));
    const XConfigPBP preset;
    EXPECT_EQ(captions(preset, QStringLiteral("lblTitle_%1"), 2 + XConfigPBP::kValues),
              (QStringList{"Patient:", "Selected preset:", "Systolic (mmHg) :", "Diastolic (mmHg) :", "MAP (mmHg) :",
                           "Heart Rate (BPM) :", "Pulse Pressure (mmHg) :"}));
}

TEST_F(BPEditors, DeleteAsAKeyboardSendsItRemovesTheNextDigit)
{
    auto config = std::make_shared<CConfigIBP>();
    XConfigIBP editor;
    editor.Initialize(Variant(config));
    editor.show();
    QLineEdit* box = editor.TextBox(0);
    ASSERT_EQ(box->text(), "120");
    box->setFocus();
    box->setCursorPosition(0);
    // A real keyboard's Delete carries the text U+007F, which the test framework leaves out.
    QTest::sendKeyEvent(QTest::Press, box, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, box, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    EXPECT_EQ(box->text(), "20");
    EXPECT_EQ(config->RetrievePresetValue("SYST").val(), 20.0);
}

// A stored neonate preset number below 8, as a document may hold it (<Preset Type="1" Patient="1"/>).
TEST_F(BPEditors, PatientSwitchOfAPresetOffTheOtherListTakesItsFirstPreset)
{
    auto config = std::make_shared<CConfigPBP>();
    config->LoadDefaults(btPreset);
    config->SetPatientType(1);
    config->SetSelectedPreset(1);
    XConfigPBP editor;
    editor.SetCallBack(callback);
    editor.Initialize(Variant(config));
    EXPECT_EQ(editor.PresetList()->currentIndex(), -1);

    editor.PatientOption(0)->click();
    EXPECT_EQ(config->PatientType(), 0);
    EXPECT_EQ(config->SelectedPreset(), 1);
    EXPECT_EQ(editor.PresetList()->itemText(0), "Adult One"); // the list follows the patient
    EXPECT_EQ(editor.PresetList()->currentText(), "Adult One");
    EXPECT_EQ(labels(editor), (QStringList{"120", "80", "93.0", "60", "2.00"}));
    EXPECT_EQ(callback->events, (QStringList{"Change"}));

    // The other way an adult preset the shift takes past the neonate list does the same.
    config->SetSelectedPreset(250);
    editor.PatientOption(1)->click();
    EXPECT_EQ(config->SelectedPreset(), 8);
    EXPECT_EQ(editor.PresetList()->currentText(), "Neonate Eight");
    EXPECT_EQ(labels(editor)[0], "70");
}

} // namespace
