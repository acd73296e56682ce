// The operator-record page on its own: field limits, locking, its two events and its layout.
#include "plugin/core/XNB4410ControlPanel.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using nb4410::XNB4410ControlPanel;

namespace {

class ControlPanelPage : public ::testing::Test {
protected:
    QLineEdit* box(const char* name) { return page.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QPushButton* apply() { return page.findChild<QPushButton*>(QStringLiteral("cmdApplySettings")); }
    QStringList texts() { return {box("txtOperator")->text(), box("txtEstablishment")->text(), box("txtSerialNumber")->text()}; }
    void fill(const QStringList& values)
    {
        box("txtOperator")->setText(values[0]);
        box("txtEstablishment")->setText(values[1]);
        box("txtSerialNumber")->setText(values[2]);
    }

    XNB4410ControlPanel page;
};

TEST_F(ControlPanelPage, TypingStopsAtFortyCharactersForOperatorAndEstablishmentOnly)
{
    struct Case {
        const char* box;
        int kept;
    };
    const QString typed(60, QLatin1Char('x'));
    for (const Case& c : {Case{"txtOperator", 40}, Case{"txtEstablishment", 40}, Case{"txtSerialNumber", 60}}) {
        SCOPED_TRACE(c.box);
        QLineEdit* text = box(c.box);
        ASSERT_TRUE(text);
        QTest::keyClicks(text, typed);
        EXPECT_EQ(text->text().size(), c.kept);
    }
    // A serial number far beyond any field the instrument could be asked for.
    const QString longSerial(5000, QLatin1Char('7'));
    box("txtSerialNumber")->setText(longSerial);
    EXPECT_EQ(box("txtSerialNumber")->text(), longSerial);
}

TEST_F(ControlPanelPage, LockingMakesTheFieldsReadOnlyAndKeepsTheirTexts)
{
    const QStringList values{"Op", "Est", "123"};
    fill(values);
    page.SetLocked(true);
    EXPECT_TRUE(page.Locked());
    EXPECT_EQ(texts(), values);
    for (const char* name : {"txtOperator", "txtEstablishment", "txtSerialNumber"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(box(name)->isReadOnly());
        QTest::keyClicks(box(name), "zz");
    }
    EXPECT_EQ(texts(), values);

    // Locking again is no toggle: one unlock is enough to edit again.
    page.SetLocked(true);
    EXPECT_TRUE(box("txtOperator")->isReadOnly());
    page.SetLocked(false);
    page.SetLocked(false);
    for (const char* name : {"txtOperator", "txtEstablishment", "txtSerialNumber"})
        EXPECT_FALSE(box(name)->isReadOnly()) << name;
    EXPECT_EQ(texts(), values);
}

TEST_F(ControlPanelPage, ApplyIsOffAfterAFailedRead)
{
    int raised = 0;
    QObject::connect(&page, &XNB4410ControlPanel::ApplySettings, &page, [&](QString&, QString&, QString&) { ++raised; });
    EXPECT_TRUE(apply()->isEnabled());
    page.SetRecordRead(false, QString());
    EXPECT_FALSE(apply()->isEnabled());
    QTest::mouseClick(apply(), Qt::LeftButton);
    EXPECT_EQ(raised, 0);
    page.SetRecordRead(true, QString());
    QTest::mouseClick(apply(), Qt::LeftButton);
    EXPECT_EQ(raised, 1);
}

TEST_F(ControlPanelPage, LockingToTheCurrentValueLeavesAFieldsOwnStateAlone)
{
    // Something else made one field read-only; a redundant unlock must not undo it.
    box("txtSerialNumber")->setReadOnly(true);
    page.SetLocked(false);
    EXPECT_TRUE(box("txtSerialNumber")->isReadOnly());
}

TEST_F(ControlPanelPage, InitializeShowsWhatItsHandlerLeftInTheTexts)
{
    // Without a handler the fields come out empty, whatever they held.
    fill({"a", "b", "c"});
    page.Initialize(ostrel::Variant());
    EXPECT_EQ(texts(), QStringList({"", "", ""}));

    int raised = 0;
    bool initialisingInside = false;
    QObject::connect(&page, qOverload<QString&, QString&, QString&>(&XNB4410ControlPanel::Initialize), &page,
                     [&](QString& sOperator, QString& sEstablishment, QString& sSerialNo) {
                         ++raised;
                         initialisingInside = page.Initialising();
                         EXPECT_TRUE(sOperator.isEmpty() && sEstablishment.isEmpty() && sSerialNo.isEmpty());
                         sOperator = "Operator 1";
                         sEstablishment = "Hospital";
                         sSerialNo = "0042";
                     });
    page.Initialize(ostrel::Variant());
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(initialisingInside);
    EXPECT_FALSE(page.Initialising());
    EXPECT_EQ(texts(), QStringList({"Operator 1", "Hospital", "0042"}));
    EXPECT_TRUE(apply()->isEnabled());
}

TEST_F(ControlPanelPage, ApplyRaisesTheThreeTextsInOrder)
{
    QStringList received;
    QObject::connect(&page, &XNB4410ControlPanel::ApplySettings, &page,
                     [&](QString& sOperator, QString& sEstablishment, QString& sSerialNo) {
                         received = {sOperator, sEstablishment, sSerialNo};
                         EXPECT_FALSE(apply()->isEnabled()) << "a second Apply must wait for the first";
                     });
    fill({"Op", "Est", "SN"});
    QTest::mouseClick(apply(), Qt::LeftButton);
    EXPECT_EQ(received, QStringList({"Op", "Est", "SN"}));
    EXPECT_TRUE(apply()->isEnabled());

    // Locked fields still travel: the lock protects the texts, not the instrument.
    received.clear();
    page.SetLocked(true);
    apply()->click();
    EXPECT_EQ(received, QStringList({"Op", "Est", "SN"}));
}

TEST_F(ControlPanelPage, ApplyWhileTheFieldsAreBeingFilledWritesNothing)
{
    int applied = 0;
    QObject::connect(&page, &XNB4410ControlPanel::ApplySettings, &page, [&](QString&, QString&, QString&) { ++applied; });
    bool enabledInside = true;
    QObject::connect(&page, qOverload<QString&, QString&, QString&>(&XNB4410ControlPanel::Initialize), &page,
                     [&](QString& sOperator, QString&, QString&) {
                         enabledInside = apply()->isEnabled();
                         page.findChild<QPushButton*>(QStringLiteral("cmdApplySettings"))->click();
                         sOperator = "late";
                     });
    page.Initialize(ostrel::Variant());
    EXPECT_FALSE(enabledInside);
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(box("txtOperator")->text(), "late");
}

TEST(ControlPanelPageLifetime, PageUnloadedByItsOwnEventHandlerIsLeftAlone)
{
    // The owner's handlers wait for the instrument in the event loop, where the host may
    // unload the dialog and with it the page.
    auto* page = new XNB4410ControlPanel;
    QObject::connect(page, qOverload<QString&, QString&, QString&>(&XNB4410ControlPanel::Initialize), page,
                     [page](QString&, QString&, QString&) { delete page; });
    page->Initialize(ostrel::Variant());

    page = new XNB4410ControlPanel;
    QObject::connect(page, &XNB4410ControlPanel::ApplySettings, page,
                     [page](QString&, QString&, QString&) { delete page; });
    page->findChild<QPushButton*>(QStringLiteral("cmdApplySettings"))->click();
}

TEST_F(ControlPanelPage, ControlsSitAtTheirTwipPositionsOnThisScreen)
{
    const int dpiX = page.logicalDpiX();
    const int dpiY = page.logicalDpiY();
    const auto px = [](int twips, int dpi) { return qRound(twips * dpi / 1440.0); };
    struct Case {
        const char* name;
        int left, top, width, height;
    };
    const Case cases[] = {{"txtOperator", 2160, 600, 3855, 285},   {"txtEstablishment", 2160, 1080, 3855, 285},
                          {"txtSerialNumber", 2160, 1560, 1695, 285}, {"lblEstablishment", 360, 1095, 1575, 255},
                          {"lblVersion", 2160, 2400, 615, 255},       {"cmdApplySettings", 5160, 2400, 975, 375}};
    auto* frame = page.findChild<QGroupBox*>(QStringLiteral("fraMTISettings"));
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->title().isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* widget = page.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_TRUE(widget);
        EXPECT_EQ(widget->parentWidget(), frame);
        EXPECT_EQ(widget->geometry(), QRect(px(c.left, dpiX), px(c.top, dpiY), px(c.width, dpiX), px(c.height, dpiY)));
        EXPECT_TRUE(frame->rect().contains(widget->geometry()));
    }
    EXPECT_TRUE(page.findChild<QWidget*>(QStringLiteral("pboMTISettings"))->geometry().contains(frame->geometry()));
    // Twips scale with the screen: an inch is an inch.
    EXPECT_EQ(XNB4410ControlPanel::TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(XNB4410ControlPanel::TwipsToPixels(3855, 120), 321);
}

TEST_F(ControlPanelPage, CaptionsAndTheLanguageTextOfApply)
{
    const auto caption = [&](const char* name) {
        return page.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(caption("lblOperator"), "Operator:");
    EXPECT_EQ(caption("lblEstablishment"), "Establishment:");
    EXPECT_EQ(caption("lblSerialNumber"), "Serial number:");
    EXPECT_EQ(caption("lblFWRevision"), "Firmware revision:");
    EXPECT_EQ(caption("lblVersion"), "") << "the firmware shows once the instrument reported it";
    page.SetRecordRead(true, QStringLiteral("3.07"));
    EXPECT_EQ(caption("lblVersion"), "3.07");
    EXPECT_EQ(apply()->text(), "&Apply");
}

TEST(ControlPanelPageInWindow, VisibleIsThePlacementAndFocusGoesToTheOperator)
{
    QWidget window;
    auto* page = new XNB4410ControlPanel(&window);
    EXPECT_TRUE(page->Visible()) << "placed visible though its window is not shown";
    page->SetVisible(false);
    EXPECT_FALSE(page->Visible());
    page->SetVisible(true);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    page->findChild<QPushButton*>(QStringLiteral("cmdApplySettings"))->setFocus();
    page->SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), page->findChild<QLineEdit*>(QStringLiteral("txtOperator")));
}

} // namespace
