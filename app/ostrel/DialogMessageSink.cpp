#include "DialogMessageSink.h"

#include <QApplication>
#include <QMessageBox>

namespace ostrel {

namespace {
QWidget* owner(const QPointer<QWidget>& parent)
{
    // A modal test guide in front takes the message, so it is not hidden behind it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return parent.data();
}
} // namespace

void DialogMessageSink::Show(MessageIcon icon, const QString& text, const QString& title)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
    case MessageIcon::Information: boxIcon = QMessageBox::Information; break;
    case MessageIcon::Exclamation: boxIcon = QMessageBox::Warning; break;
    case MessageIcon::Critical: boxIcon = QMessageBox::Critical; break;
    case MessageIcon::Question: boxIcon = QMessageBox::Question; break;
    }
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, owner(m_parent));
    box.exec();
}

bool DialogMessageSink::Confirm(const QString& text, const QString& title)
{
    return ask(QMessageBox::Question, text, title);
}

bool DialogMessageSink::ConfirmWarning(const QString& text, const QString& title)
{
    return ask(QMessageBox::Warning, text, title);
}

bool DialogMessageSink::ask(QMessageBox::Icon icon, const QString& text, const QString& title)
{
    QMessageBox box(icon, title, text, QMessageBox::Yes | QMessageBox::No, owner(m_parent));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace ostrel
