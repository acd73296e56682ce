#pragma once
// Message boxes and confirmations of the window: Qt message boxes over the main window.
#include "host/core/MessageService.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace ostrel {

class DialogMessageSink : public IMessageSink {
public:
    explicit DialogMessageSink(QWidget* parent) : m_parent(parent) {}
    void Show(MessageIcon icon, const QString& text, const QString& title) override;
    bool Confirm(const QString& text, const QString& title) override;
    bool ConfirmWarning(const QString& text, const QString& title) override;

private:
    bool ask(QMessageBox::Icon icon, const QString& text, const QString& title);

    QPointer<QWidget> m_parent;
};

} // namespace ostrel
