#include "MessageService.h"

#include <cstdio>

namespace ostrel {

namespace {

// Without a window there is nobody to answer: print, and confirm nothing.
class StandardErrorSink : public IMessageSink {
public:
    void Show(MessageIcon icon, const QString& text, const QString& title) override
    {
        std::fprintf(stderr, "%s: %s: %s\n", iconName(icon), qUtf8Printable(title), qUtf8Printable(text));
    }
    bool Confirm(const QString& text, const QString& title) override
    {
        std::fprintf(stderr, "question: %s: %s (answered no)\n", qUtf8Printable(title), qUtf8Printable(text));
        return false;
    }

private:
    static const char* iconName(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Information:
            return "information";
        case MessageIcon::Exclamation:
            return "warning";
        case MessageIcon::Critical:
            return "error";
        case MessageIcon::Question:
            return "question";
        }
        return "message";
    }
};

} // namespace

MessageService::MessageService() : m_sink(std::make_shared<StandardErrorSink>()) {}

MessageService& MessageService::instance()
{
    static MessageService service;
    return service;
}

void MessageService::Show(MessageIcon icon, const QString& text, const QString& title)
{
    auto sink = m_sink; // a sink may replace itself while it shows
    sink->Show(icon, text, title.isEmpty() ? m_title : title);
}

bool MessageService::Confirm(const QString& text, const QString& title)
{
    auto sink = m_sink;
    return sink->Confirm(text, title.isEmpty() ? m_title : title);
}

bool MessageService::ConfirmWarning(const QString& text, const QString& title)
{
    auto sink = m_sink;
    return sink->ConfirmWarning(text, title.isEmpty() ? m_title : title);
}

std::shared_ptr<IMessageSink> MessageService::SetSink(std::shared_ptr<IMessageSink> sink)
{
    auto previous = m_sink;
    m_sink = sink ? std::move(sink) : std::make_shared<StandardErrorSink>();
    return previous;
}

} // namespace ostrel
