#include "Link.h"

#include "DataLinkErrors.h"
#include "LinkTrace.h"

namespace ostrel {

namespace {

QString dropText(DecodedFrame::DropReason reason)
{
    switch (reason) {
    case DecodedFrame::DropReason::Checksum:
        return QStringLiteral("(wrong checksum)");
    case DecodedFrame::DropReason::Oversize:
        return QStringLiteral("(payload longer than 1024 bytes)");
    case DecodedFrame::DropReason::BadName:
        return QStringLiteral("(name not four letters)");
    case DecodedFrame::DropReason::ControlByte:
        return QStringLiteral("(control byte inside the frame)");
    case DecodedFrame::DropReason::Unterminated:
        return QStringLiteral("(frame cut short)");
    case DecodedFrame::DropReason::None:
        break;
    }
    return QString();
}

} // namespace

void Link::throwIfUnusable() const
{
    if (m_closed)
        raiseDataLinkError(kDataLinkPortFailure, QStringLiteral("The link is closed."));
    if (m_failure)
        raiseDataLinkError(kDataLinkPortFailure, *m_failure);
}

bool Link::MessageWaiting()
{
    if (!m_queue.empty())
        return true;
    throwIfUnusable();
    return false;
}

MessagePtr Link::TakeMessage()
{
    if (m_queue.empty()) {
        throwIfUnusable();
        return nullptr;
    }
    Entry entry = std::move(m_queue.front());
    m_queue.pop_front();
    if (!entry.message)
        raiseDataLinkError(kDataLinkCorruptedFrame, dropText(entry.reason));
    return entry.message;
}

MessagePtr Link::CreateMessage(const QString& name, const Variant& parameter)
{
    return Message::Create(name, parameter);
}

void Link::SendMessage(const MessagePtr& message)
{
    if (!message)
        throw ComError(kE_Pointer, QString::fromLatin1(kDataLinkSource), QStringLiteral("Object variable not set"));
    throwIfUnusable();
    const QByteArray frame = message->Frame();
    qCDebug(lcLink).noquote() << "sent" << LinkTrace::Readable(frame);
    writeBytes(frame);
    ++m_sent;
}

int Link::Flush()
{
    int messages = 0;
    while (!m_queue.empty()) {
        const Entry entry = std::move(m_queue.front());
        m_queue.pop_front();
        if (entry.message) {
            ++messages;
            Discard(entry.message, QStringLiteral("left over before a request"));
        }
    }
    return messages;
}

void Link::Discard(const MessagePtr& message, const QString& why)
{
    ++m_discarded;
    qCInfo(lcLink).noquote() << "discarded" << message->Name() << message->Fields().join(QLatin1Char('|')) << "-" << why;
}

void Link::NoteResend(const QString& command, int attempt)
{
    ++m_resends;
    qCInfo(lcLink).noquote() << "resend" << command << "attempt" << attempt;
}

void Link::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    closeTransport();
}

LinkCounters Link::Counters() const
{
    const FrameCounters& frames = m_decoder.counters();
    return LinkCounters{m_sent, frames.received, frames.dropped, frames.bytesSkipped, m_discarded, m_resends};
}

void Link::receiveBytes(QByteArrayView bytes)
{
    if (m_closed)
        return;
    bool any = false;
    qCDebug(lcLink).noquote() << "received" << LinkTrace::Readable(bytes.toByteArray());
    for (DecodedFrame& frame : m_decoder.feed(bytes)) {
        Entry entry;
        if (frame.kind == DecodedFrame::Kind::Message) {
            qCDebug(lcLink).noquote() << "decoded" << frame.name << frame.fields.join(QLatin1Char('|')) << "- good";
            entry.message = std::make_shared<Message>(std::move(frame.name), std::move(frame.fields));
        } else {
            qCInfo(lcLink).noquote() << "dropped frame" << dropText(frame.reason);
            entry.reason = frame.reason;
        }
        m_queue.push_back(std::move(entry));
        any = true;
    }
    if (any)
        emit activity();
}

void Link::failPort(const QString& reason)
{
    if (m_failure || m_closed)
        return;
    m_failure = reason;
    qCInfo(lcLink).noquote() << "port failed:" << reason;
    emit activity();
}

} // namespace ostrel
