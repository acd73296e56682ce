#pragma once
// Message boxes and confirmations. The application installs a sink that shows dialogs, a
// command-line program one that prints, tests one that scripts answers and records.
#include "Object.h"

#include <QString>
#include <memory>

namespace ostrel {

enum class MessageIcon { Information, Exclamation, Critical, Question };

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void Show(MessageIcon icon, const QString& text, const QString& title) = 0;
    virtual bool Confirm(const QString& text, const QString& title) = 0;
    // A yes/no question about something that went wrong (a failed result): shown with the
    // warning icon where a sink shows icons.
    virtual bool ConfirmWarning(const QString& text, const QString& title) { return Confirm(text, title); }
};

class MessageService {
public:
    static MessageService& instance();

    void Show(MessageIcon icon, const QString& text, const QString& title);
    bool Confirm(const QString& text, const QString& title);
    bool ConfirmWarning(const QString& text, const QString& title);

    // Replaces the sink; returns the previous one. The default sink prints to standard error
    // and confirms nothing.
    std::shared_ptr<IMessageSink> SetSink(std::shared_ptr<IMessageSink> sink);
    QString ApplicationTitle() const { return m_title; }
    void SetApplicationTitle(const QString& title) { m_title = title; }

private:
    MessageService();
    std::shared_ptr<IMessageSink> m_sink;
    QString m_title = QStringLiteral("Ostrel");
};

} // namespace ostrel
