#pragma once
// A message sink for tests: records every message box and answers confirmations from a
// script (true when the script is empty, unless a default is set).
#include "host/core/MessageService.h"

#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

namespace ostrel::testing {

struct ShownMessage {
    MessageIcon icon;
    QString text;
    QString title;
};

class ScriptedMessages : public IMessageSink {
public:
    void Show(MessageIcon icon, const QString& text, const QString& title) override
    {
        shown.push_back({icon, text, title});
    }
    bool Confirm(const QString& text, const QString& title) override { return answer(MessageIcon::Question, text, title); }
    bool ConfirmWarning(const QString& text, const QString& title) override
    {
        return answer(MessageIcon::Exclamation, text, title);
    }
    bool answer(MessageIcon icon, const QString& text, const QString& title)
    {
        confirmations.push_back({icon, text, title});
        if (answers.empty())
            return defaultAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const ShownMessage& message : shown)
            texts.append(message.text);
        return texts;
    }

    std::vector<ShownMessage> shown;
    std::vector<ShownMessage> confirmations;
    std::deque<bool> answers;
    bool defaultAnswer = true;
};

// Installs a ScriptedMessages for the life of the guard and restores the previous sink.
class MessageGuard {
public:
    MessageGuard() : sink(std::make_shared<ScriptedMessages>())
    {
        m_previous = MessageService::instance().SetSink(sink);
    }
    ~MessageGuard() { MessageService::instance().SetSink(m_previous); }
    MessageGuard(const MessageGuard&) = delete;
    MessageGuard& operator=(const MessageGuard&) = delete;

    std::shared_ptr<ScriptedMessages> sink;

private:
    std::shared_ptr<IMessageSink> m_previous;
};

} // namespace ostrel::testing
