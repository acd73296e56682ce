// The window's message boxes: each kind of message carries its own icon, and a question is
// answered by its buttons.
#include "app/ostrel/DialogMessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using ostrel::DialogMessageSink;
using ostrel::MessageIcon;

namespace {

struct BoxCase {
    const char* name;
    std::function<bool(DialogMessageSink&)> open; // returns the answer (false for a notice)
    QMessageBox::Icon icon;
    QMessageBox::StandardButton pressed;
    bool answer;
};

std::ostream& operator<<(std::ostream& out, const BoxCase& c) { return out << c.name; }

class MessageBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxes, ShowTheirIconAndTakeTheAnswer)
{
    QWidget window;
    DialogMessageSink sink(&window);
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        shown = box->icon();
        text = box->text();
        box->button(GetParam().pressed)->click();
    });
    EXPECT_EQ(GetParam().open(sink), GetParam().answer);
    EXPECT_EQ(shown, GetParam().icon);
    EXPECT_EQ(text, "the text");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MessageBoxes,
    ::testing::Values(
        BoxCase{"Question", [](DialogMessageSink& s) { return s.Confirm("the text", "t"); }, QMessageBox::Question,
                QMessageBox::Yes, true},
        BoxCase{"FailedResultQuestion", [](DialogMessageSink& s) { return s.ConfirmWarning("the text", "t"); },
                QMessageBox::Warning, QMessageBox::No, false},
        BoxCase{"Error",
                [](DialogMessageSink& s) {
                    s.Show(MessageIcon::Critical, "the text", "t");
                    return false;
                },
                QMessageBox::Critical, QMessageBox::Ok, false},
        BoxCase{"Warning",
                [](DialogMessageSink& s) {
                    s.Show(MessageIcon::Exclamation, "the text", "t");
                    return false;
                },
                QMessageBox::Warning, QMessageBox::Ok, false}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

} // namespace
