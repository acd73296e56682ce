// The blood-pressure result view: rows with simulated values, typed readings, the events to
// the window, failed rows and limits of the chosen standard (percent or calculated).
#include "BPTestSupport.h"

#include "host/results/Standards.h"
#include "plugin/measure/XResultBP.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "plugin/tests/bp/CResultBP.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::JudgedElement;
using ostrel::Variant;

namespace {

class ResultViewBP : public ::testing::Test {
protected:
    void SetUp() override
    {
        config.SetTestType(btPreset);
        config.StorePresetValue("120;80;93;60;2");
        result = std::make_shared<CResultBP>();
        result->InitMeasurements(&config);
        view.SetEventHandler([this](const QString& name, const ostrel::VariantArray& params) {
            events << name + QLatin1Char('=') + params[0].text();
        });
        view.resize(600, 300);
        view.show();
        view.ShowTestResult(result);
    }
    QString cell(const char* key, int column) { return view.Row(key)->text(column); }
    void type(const QString& text) { QTest::keyClicks(view.EditBox(), text); }
    void enter() { QTest::keyClick(view.EditBox(), Qt::Key_Return); }

    CConfigPBP config;
    std::shared_ptr<CResultBP> result;
    XResultBP view;
    QStringList events;
};

TEST_F(ResultViewBP, RowsShowTheSimulatedValuesAndFailedRows)
{
    EXPECT_EQ(view.List()->headerItem()->text(1), "Preset Value");
    EXPECT_EQ(view.List()->headerItem()->text(4), "Recorded value");
    ASSERT_EQ(view.List()->topLevelItemCount(), 4);
    EXPECT_EQ(view.List()->topLevelItem(3)->text(0), "MAP");
    EXPECT_EQ(cell("SYST", XResultBP::kPresetColumn), "120 mmHg");
    EXPECT_EQ(cell("HART", XResultBP::kPresetColumn), "60 BPM");
    EXPECT_EQ(cell("SYST", XResultBP::kValueColumn), " ");
    EXPECT_EQ(events.last(), "EnableNextButton=False");

    // Evaluated readings show formatted; a failed row is dark red and bold.
    JudgedElement judged(CTestBP::kPresetTestId);
    judged.limit("SYST", 130.0f, std::nullopt);
    result->Find("SYST")->SetValue(Variant(135.4f));
    result->Find("MAPR")->SetValue(Variant(93.25f));
    result->EvaluateStatus(judged.element->Limits(), judged.selected, false);
    view.ShowTestResult(result);
    EXPECT_EQ(cell("SYST", XResultBP::kValueColumn), "135 mmHg");
    EXPECT_EQ(cell("MAPR", XResultBP::kValueColumn), "93.3 mmHg");
    QTreeWidgetItem* failed = view.Row("SYST");
    for (int column = 0; column < XResultBP::kColumns; ++column) {
        EXPECT_EQ(failed->foreground(column).color(), QColor(128, 0, 0));
        EXPECT_TRUE(failed->font(column).bold());
    }
    EXPECT_FALSE(view.Row("MAPR")->font(0).bold());
    EXPECT_EQ(view.List()->topLevelItemCount(), 4); // shown again, not added again
}

TEST_F(ResultViewBP, TypedReadingsReachTheResultRowByRow)
{
    // Result entry marks every reading incomplete until it is typed in.
    result->MarkMeasurements(QStringLiteral("I"));
    view.StartEditing();
    EXPECT_TRUE(view.EditBox()->isVisible());
    type("121");
    EXPECT_EQ(result->Find("SYST")->Value().val(), 121.0);
    EXPECT_EQ(result->Find("SYST")->Flags(), QString());
    EXPECT_EQ(result->Find("DIAS")->Flags(), QStringLiteral("I"));
    EXPECT_EQ(cell("SYST", XResultBP::kValueColumn), "121 mmHg");
    enter();
    type("12a");
    EXPECT_EQ(view.EditBox()->text(), "12");
    EXPECT_EQ(events.last(), "KeyPress=97");
    EXPECT_EQ(result->Find("DIAS")->Flags(), QString());
    view.EditBox()->clear();
    EXPECT_TRUE(result->Find("DIAS")->Value().isEmpty());
    EXPECT_EQ(result->Find("DIAS")->Flags(), QStringLiteral("I")); // emptied again: not entered
    EXPECT_EQ(cell("DIAS", XResultBP::kValueColumn), "");
    type("79,5");
    EXPECT_EQ(result->Find("DIAS")->Value().val(), 79.5);
    enter();
    type("60");
    enter();
    EXPECT_EQ(events.last(), "EnableNextButton=False");
    type("93.5");
    EXPECT_EQ(events.last(), "EnableNextButton=True");
    EXPECT_FALSE(view.LastRowPassed());
    enter();
    EXPECT_TRUE(view.LastRowPassed());
    EXPECT_FALSE(view.EditBox()->isVisible());
    EXPECT_EQ(events.last(), "KeyPress=13");
    // Every reading entered: no row says "Incomplete test." any more.
    for (const char* key : {"SYST", "DIAS", "HART", "MAPR"})
        EXPECT_EQ(result->Find(key)->Flags(), QString()) << key;

    // Editing again shows the number without its unit and changes nothing by itself.
    const int before = events.size();
    view.BeginEdit(view.Row("HART"));
    EXPECT_EQ(view.EditBox()->text(), "60");
    EXPECT_EQ(events.size(), before);
}

TEST_F(ResultViewBP, ALoneSignOrPointIsNoReading)
{
    view.StartEditing();
    for (const char* reading : {"120", "80", "60"}) {
        type(reading);
        enter();
    }
    for (const char* partial : {"-", ".", "+", ","}) {
        view.EditBox()->clear();
        type(partial);
        EXPECT_TRUE(result->Find("MAPR")->Value().isEmpty()) << partial;
        EXPECT_EQ(cell("MAPR", XResultBP::kValueColumn), "") << partial;
        EXPECT_EQ(events.last(), "EnableNextButton=False") << partial;
    }
    view.EditBox()->clear();
    type("-5");
    EXPECT_EQ(result->Find("MAPR")->Value().val(), -5.0);
    EXPECT_EQ(events.last(), "EnableNextButton=True");
}

TEST_F(ResultViewBP, AReadingOutsideTheLimitsIsMarkedAsItIsTyped)
{
    JudgedElement judged(CTestBP::kPresetTestId);
    judged.limit("SYST", 130.0f, 110.0f);
    view.ShowLimits(judged.element->Limits(), judged.selected);
    view.StartEditing();
    type("125");
    EXPECT_FALSE(view.Row("SYST")->font(XResultBP::kValueColumn).bold());
    view.EditBox()->selectAll();
    type("135");
    EXPECT_TRUE(view.Row("SYST")->font(XResultBP::kValueColumn).bold());
    EXPECT_EQ(view.Row("SYST")->foreground(0).color(), QColor(128, 0, 0));
    EXPECT_EQ(result->Find("SYST")->Status(), 0); // judged when the technician goes on
    view.EditBox()->clear();
    EXPECT_FALSE(view.Row("SYST")->font(XResultBP::kValueColumn).bold());
}

TEST_F(ResultViewBP, NoReadingIsRecordedByButtonOrAltNAndUndoneByTyping)
{
    EXPECT_FALSE(view.NoReadingButton()->isEnabled()); // nothing is being edited
    view.StartEditing();
    type("120");
    enter();
    ASSERT_TRUE(view.NoReadingButton()->isEnabled());
    QTest::mouseClick(view.NoReadingButton(), Qt::LeftButton);
    EXPECT_EQ(cell("DIAS", XResultBP::kValueColumn), "No reading");
    EXPECT_TRUE(view.Row("DIAS")->font(XResultBP::kValueColumn).bold());
    EXPECT_EQ(result->Find("DIAS")->Flags(), "N"); // not "I": the reading is recorded
    EXPECT_EQ(view.List()->currentItem(), view.Row("HART")); // the entry goes on

    // Alt+N in the edit box does the same.
    QTest::keyClick(view.EditBox(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(cell("HART", XResultBP::kValueColumn), "No reading");
    type("93");
    enter();
    EXPECT_TRUE(view.AllEntered());
    EXPECT_GT(events.lastIndexOf("EnableNextButton=True"), events.lastIndexOf("EnableNextButton=False"));

    // Back on the row, the box starts empty and a typed reading replaces "no reading".
    view.BeginEdit(view.Row("DIAS"));
    EXPECT_EQ(view.EditBox()->text(), "");
    type("80");
    EXPECT_EQ(cell("DIAS", XResultBP::kValueColumn), "80 mmHg");
    EXPECT_EQ(result->Find("DIAS")->Flags(), "");
    EXPECT_FALSE(view.Row("DIAS")->font(XResultBP::kValueColumn).bold());
}

TEST_F(ResultViewBP, LimitsOfTheChosenStandard)
{
    JudgedElement judged(CTestBP::kPresetTestId);
    judged.limit("SYST", 10.0f, -10.0f, "%");
    judged.limit("DIAS", 150.0f, std::nullopt);
    // A second standard with two upper limits on one key: the smaller one shows.
    auto second = judged.element->Limits()->CreateStandard(Variant("TWO"), Variant("Second"));
    for (const auto& item : second->LimitItems())
        if (item->Key() == "DIAS")
            item->SetLimit(0, 150.0f);
    judged.selected->Add(second);
    view.ShowLimits(judged.element->Limits(), judged.selected);
    EXPECT_EQ(cell("SYST", XResultBP::kHighColumn), "132 mmHg");
    EXPECT_EQ(cell("SYST", XResultBP::kLowColumn), "108 mmHg");
    EXPECT_EQ(cell("HART", XResultBP::kHighColumn), " ");
    EXPECT_EQ(events.last(), "StandardSelected=STD");
    EXPECT_TRUE(view.MenuAvailable());

    view.ToggleCalculatedLimits();
    EXPECT_EQ(cell("SYST", XResultBP::kHighColumn), "+10 %");
    EXPECT_EQ(cell("SYST", XResultBP::kLowColumn), "-10 %");

    view.ChooseStandard(2);
    EXPECT_EQ(cell("DIAS", XResultBP::kHighColumn), "150 mmHg");
    EXPECT_EQ(cell("SYST", XResultBP::kHighColumn), " ");
    EXPECT_TRUE(view.StandardItems()[1]->isChecked());
    EXPECT_FALSE(view.StandardItems()[0]->isChecked());

    // Selected standards that the limit data does not hold: no menu.
    JudgedElement other(CTestBP::kPresetTestId);
    view.ShowLimits(other.element->Limits(), std::make_shared<ostrel::Standards>());
    EXPECT_FALSE(view.MenuAvailable());
    auto foreign = std::make_shared<ostrel::Standards>();
    foreign->Add(second);
    view.ShowLimits(other.element->Limits(), foreign);
    EXPECT_FALSE(view.MenuAvailable());
}

TEST_F(ResultViewBP, CalculatedLimitsReadAsTheValuesDo)
{
    JudgedElement judged(CTestBP::kPresetTestId);
    judged.limit("SYST", 5.0f, -5.0f, "%"); // 120 mmHg +- 5 %, no single-precision noise
    judged.limit("MAPR", 5.0f, -5.0f, "%"); // 93 mmHg + 5 % has decimals of its own
    view.ShowLimits(judged.element->Limits(), judged.selected);
    EXPECT_EQ(cell("SYST", XResultBP::kHighColumn), "126 mmHg");
    EXPECT_EQ(cell("SYST", XResultBP::kLowColumn), "114 mmHg");
    EXPECT_EQ(cell("MAPR", XResultBP::kHighColumn), "97.65 mmHg");
    EXPECT_EQ(cell("MAPR", XResultBP::kLowColumn), "88.35 mmHg");

    // The limit shown is the limit judged: a reading on it passes, one past it fails.
    struct Case {
        const char* key;
        float reading;
        std::int32_t status;
    };
    for (const Case& c : {Case{"SYST", 126.0f, 1}, Case{"SYST", 127.0f, 2}, Case{"SYST", 114.0f, 1}, Case{"SYST", 113.0f, 2},
                          Case{"MAPR", 97.65f, 1}, Case{"MAPR", 97.7f, 2}}) {
        result->Find(c.key)->SetValue(Variant(c.reading));
        EXPECT_EQ(result->Find(c.key)->UpdateStatus(judged.element->Limits(), judged.selected), c.status)
            << c.key << " " << c.reading;
    }
}

} // namespace
