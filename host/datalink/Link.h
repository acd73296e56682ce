#pragma once
// An open data link: frames in and out over some transport. The base class holds the framing,
// the queue of received messages and the counters; a transport (serial port, scripted fake)
// only moves bytes. activity() is emitted whenever something arrives or the port fails, so a
// waiting caller can sleep in the event loop until then.
#include "FrameDecoder.h"
#include "Message.h"

#include <QObject>
#include <deque>
#include <optional>

namespace ostrel {

struct LinkCounters {
    std::uint64_t sent = 0;
    std::uint64_t received = 0;
    std::uint64_t dropped = 0;
    std::uint64_t bytesSkipped = 0;
    std::uint64_t discarded = 0; // good frames that answered no request (left over, late, duplicated)
    std::uint64_t resends = 0;   // requests sent again because their reply was lost
};

class Link : public QObject, public virtual IObject {
    Q_OBJECT
public:
    ~Link() override = default;

    // True when TakeMessage has something to hand out (a message or a dropped frame to
    // report). Fails with kDataLinkPortFailure once the port has failed and nothing is queued.
    bool MessageWaiting();
    // The next received message, nullptr when none. Fails with kDataLinkCorruptedFrame when
    // the next thing received was a dropped frame (reported once), kDataLinkPortFailure when
    // the port has failed and nothing is queued.
    MessagePtr TakeMessage();
    MessagePtr CreateMessage(const QString& name, const Variant& parameter);
    // Fails with kDataLinkPortFailure when the port has failed or the link is closed.
    void SendMessage(const MessagePtr& message);
    void Close();
    // Throws away everything received and not yet taken (a reply that came late or twice),
    // so that the next request sees only its own reply. Returns how many good frames went.
    int Flush();
    // A reply taken from the link that answers no request in progress: counted and traced.
    void Discard(const MessagePtr& message, const QString& why);
    // The caller sends a request again because its reply was lost: counted and traced.
    void NoteResend(const QString& command, int attempt);

    bool IsOpen() const { return !m_closed; }
    LinkCounters Counters() const;

signals:
    void activity();

protected:
    // Transports call these from their own notifications.
    void receiveBytes(QByteArrayView bytes);
    void failPort(const QString& reason);

    virtual void writeBytes(const QByteArray& frame) = 0; // fails with kDataLinkPortFailure
    virtual void closeTransport() = 0;

private:
    void throwIfUnusable() const;

    struct Entry {
        MessagePtr message; // nullptr for a dropped frame
        DecodedFrame::DropReason reason = DecodedFrame::DropReason::None;
    };
    FrameDecoder m_decoder;
    std::deque<Entry> m_queue;
    std::optional<QString> m_failure;
    bool m_closed = false;
    std::uint64_t m_sent = 0;
    std::uint64_t m_discarded = 0;
    std::uint64_t m_resends = 0;
};

using LinkPtr = std::shared_ptr<Link>;

} // namespace ostrel
