// The dialog wrapper and the detailed-result control it hosts.
#include "plugin/guide/FDialogWrapper.h"

#include "Fakes.h"
#include "host/contract/ICustomControl.h"
#include "plugin/measure/XDetailedResult.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::Variant;

TEST(DialogWrapper, ForwardingMembersDoNothingWithoutAControl)
{
    auto wrapper = std::make_shared<FDialogWrapper>();
    EXPECT_EQ(wrapper->windowTitle(), QStringLiteral("CTestGroup setup"));
    EXPECT_EQ(wrapper->CreateSetupCtrl(QString()), nullptr);
    EXPECT_EQ(wrapper->CreateSetupCtrl(QStringLiteral("Nowhere.XNothing")), nullptr);
    EXPECT_FALSE(wrapper->CallBack());
    wrapper->SetCallBack(nullptr);
    EXPECT_FALSE(wrapper->Locked());
    wrapper->SetLocked(true);
    wrapper->Initialize(Variant(3));
    wrapper->Refresh();
    wrapper->SetFocus();
    QWidget host;
    wrapper->Dock(&host);
    EXPECT_FALSE(wrapper->IsDocked());
    wrapper->Move(1, 2, 3, 4);
    wrapper->Unload();
}

TEST(DialogWrapper, DocksTheControlIntoTheHostWindow)
{
    auto wrapper = std::make_shared<FDialogWrapper>();
    QWidget* control = wrapper->CreateSetupCtrl(QString::fromLatin1(XDetailedResult::kProgId));
    ASSERT_TRUE(control);
    ASSERT_TRUE(wrapper->Control());
    auto* label = wrapper->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_TRUE(label);
    EXPECT_FALSE(label->isHidden()); // standing alone

    wrapper->Dock(nullptr);
    EXPECT_FALSE(wrapper->IsDocked());
    wrapper->Show();
    EXPECT_FALSE(wrapper->isVisible()); // an undocked wrapper shows nothing

    QWidget host;
    wrapper->Dock(&host);
    EXPECT_TRUE(wrapper->IsDocked());
    EXPECT_EQ(control->parentWidget(), &host);
    EXPECT_TRUE(label->isHidden());
    wrapper->Hide();
    EXPECT_TRUE(control->isHidden());
    wrapper->Show();
    EXPECT_FALSE(control->isHidden());
    wrapper->Move(10, 20, 300, 200);
    EXPECT_EQ(control->geometry(), QRect(10, 20, 300, 200));
    EXPECT_TRUE(wrapper->Locked()); // the detailed result is always locked

    wrapper->UnDock();
    EXPECT_EQ(control->parentWidget(), wrapper.get());
    EXPECT_TRUE(wrapper->IsDocked()); // a wrapper docked once keeps steering its control
}

TEST(DialogWrapper, SurvivesAHostThatDestroysTheDockedControl)
{
    auto wrapper = std::make_shared<FDialogWrapper>();
    ASSERT_TRUE(wrapper->CreateSetupCtrl(QString::fromLatin1(XDetailedResult::kProgId)));
    {
        QWidget host;
        wrapper->Dock(&host);
    }
    EXPECT_FALSE(wrapper->Control());
    wrapper->Show();
    wrapper->Hide();
    wrapper->Move(0, 0, 10, 10);
    wrapper->Refresh();
    wrapper->Unload();
}

TEST(DialogWrapper, UnloadTakesTheControlBackFromTheHost)
{
    QWidget host;
    QPointer<QWidget> control;
    {
        auto wrapper = std::make_shared<FDialogWrapper>();
        control = wrapper->CreateSetupCtrl(QString::fromLatin1(XDetailedResult::kProgId));
        wrapper->Dock(&host);
        wrapper->Unload();
        EXPECT_EQ(control->parentWidget(), wrapper.get());
    }
    EXPECT_TRUE(control.isNull()); // released with the wrapper
}

TEST(DialogWrapper, UnloadReleasesTheControlAndEndsTheDocking)
{
    QWidget host;
    auto wrapper = std::make_shared<FDialogWrapper>();
    QPointer<QWidget> control = wrapper->CreateSetupCtrl(QString::fromLatin1(XDetailedResult::kProgId));
    wrapper->Dock(&host);
    wrapper->Unload();
    EXPECT_FALSE(wrapper->IsDocked());
    EXPECT_FALSE(wrapper->Control());
    EXPECT_FALSE(wrapper->Extender());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(control.isNull()); // gone while the wrapper lives on
    EXPECT_TRUE(host.findChildren<QWidget*>().isEmpty());
}

TEST(DetailedResult, ShowsTheCommentReadOnlyUnderATranslatedCaption)
{
    XDetailedResult view;
    EXPECT_EQ(view.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Comment"));
    auto result = std::make_shared<nb4410::testing::FakeResult>();
    view.Initialize(Variant(result));
    auto* box = view.findChild<QPlainTextEdit*>(QStringLiteral("txtComment"));
    EXPECT_TRUE(box->toPlainText().isEmpty());
    EXPECT_TRUE(box->isReadOnly());

    result->comment = QStringLiteral("Cuff replaced.");
    view.Initialize(Variant(ostrel::VariantArray{Variant(9), Variant(result)}));
    EXPECT_EQ(view.CommentText(), QStringLiteral("Cuff replaced."));
    view.Initialize(Variant()); // no result: an empty box, no failure
    EXPECT_TRUE(view.CommentText().isEmpty());

    view.SetLocked(false);
    EXPECT_TRUE(view.Locked());
    EXPECT_FALSE(view.CallBack());
}

TEST(DetailedResult, KeepsA120TwipMarginOnTheLeft)
{
    XDetailedResult view;
    view.resize(400, 300);
    view.show();
    const int margin = qRound(120 * view.logicalDpiX() / 1440.0);
    EXPECT_EQ(view.MarginPixels(), margin);
    auto* label = view.findChild<QLabel*>(QStringLiteral("lblTitle"));
    auto* box = view.findChild<QPlainTextEdit*>(QStringLiteral("txtComment"));
    EXPECT_EQ(label->geometry().left(), margin);
    EXPECT_EQ(label->width(), 400 - margin);
    EXPECT_EQ(box->geometry().left(), margin);
    EXPECT_EQ(box->width(), 400 - margin);
    EXPECT_GT(box->geometry().top(), label->geometry().bottom());
    EXPECT_LE(box->geometry().bottom(), 300);
}
