#pragma once
// The virtual test instrument: one remote connection with the NB-4410 over the data link, a
// small state machine deciding which calls may talk to the instrument, and the driver's own
// messages for every failure. Waiting for a reply sleeps in the event loop, so other code of
// the thread (including calls into this object) runs during the wait.
#include "FTimer.h"
#include "NB4410Protocol.h"
#include "NB4410VTI.h"
#include "host/datalink/Link.h"

#include <QDeadlineTimer>
#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class QEventLoop;

namespace nb4410vti {

class CNB4410VTI : public QObject, public _CNB4410VTI {
    Q_OBJECT
public:
    static constexpr char kSource[] = "NB4410VTI.CNB4410VTI";
    static inline const QString kInstrumentName = QStringLiteral("NB-4410");
    static inline const QString kLinkSettings = QString::fromLatin1(nb4410::protocol::kLineSettings);
    static constexpr std::int32_t kReplyTimeoutMs = nb4410::protocol::kReplyWindowMs;
    static constexpr int kTries = nb4410::protocol::kTries;

    // The reply window every exchange waits. The one timing seam: tests shrink it (in-process
    // with SetReplyWindowMs, in a child process with OSTREL_VTI_REPLY_WINDOW_MS) so that lost
    // replies cost them milliseconds; in use it is kReplyTimeoutMs.
    static std::int32_t ReplyWindowMs();
    static void SetReplyWindowMs(std::int32_t ms);

    CNB4410VTI();
    ~CNB4410VTI() override;

    QString FWVersion() override;
    QString MTIName() override;
    QString SerialNo() override;
    EVtiState VtiState() override { return m_state; }
    ostrel::MtiDataPtr MTIData() override { return m_mtiData; }
    ostrel::MtiDataPtr StartRemote() override;
    void EndRemote() override;
    void StartTest(ostrel::Variant& vParams) override;
    void StopTest() override;
    void GetTestResult(std::int32_t& iTestID, ostrel::Variant& vParams) override;
    void GetMtiData(QString& sOperator, QString& sEstabl, QString& sSerialNo) override;
    void PutMTIData(QString& sOperator, QString& sEstabl, QString& sSerialNo) override;

    // The open link, for diagnostics (counters); nullptr without a remote connection.
    ostrel::LinkPtr Link() const { return m_link; }

private:
    // How a command may go out again when its reply is lost (no command is sent again after
    // an instrument's answer, a wrong reply name or a port failure).
    enum class Resend {
        Never,           // the command changes the instrument: confirmed by another request instead
        AfterCorruption, // a frame came back broken; silence means nobody is there
        Always,          // repeatable: broken, lost or late replies are asked for again
    };
    struct WaitResult {
        ostrel::MessagePtr reply;                // the expected name, "ERRM" or a name no command has
        std::optional<ostrel::ComError> failure; // the port failed or the link closed
        bool corrupted = false;                  // a frame came back broken
        bool discarded = false;                  // a reply to some other request came and was thrown away
    };
    struct ActiveWait {
        QEventLoop* loop;
        QDeadlineTimer deadline;
    };

    void OpenLink();
    void CloseLink();
    ostrel::LinkPtr requireLink() const;
    // Sends the command until a reply to it comes back or the tries are spent; returns the
    // reply unchecked ("ERRM" and wrong names included). A reply lost to a broken frame fails
    // with the link's corrupted-frame number (message 22001), one lost to silence with
    // eeVTI_ReceiveTimeout (22003), one crowded out by replies to other requests with
    // eeVTI_InvalidMsgReceived (22002).
    ostrel::MessagePtr Exchange(const QString& command, const ostrel::Variant& parameter, Resend resend);
    // Exchange, then CheckReply: the instrument's errors and wrong names fail here.
    ostrel::MessagePtr Transact(const QString& command, const ostrel::Variant& parameter, Resend resend);
    WaitResult WaitForReply(const QString& expected, std::int32_t timeoutMs);
    void StoreMTIData(const ostrel::Variant& params);
    // An "ERRM" reply with the instrument's code for a test already running (6001).
    static bool isBusy(const ostrel::MessagePtr& reply);
    // A start whose reply was lost: asks for the test's result. Running: the start stands.
    // Not running or unknown: the instrument's test is stopped and the start fails (22001).
    void confirmStart(std::int32_t testType);
    // A record write whose reply was lost: reads the record back; fails (22001) unless it
    // holds what was written.
    void confirmRecord(const ostrel::VariantArray& record);
    void onTimer();

    [[noreturn]] void raise(ostrel::HResult number) const;
    // Inside a catch block: the common failure handling of the five failing operations.
    [[noreturn]] void failCall(bool showMtiError);
    // The operations that talk to an idle instrument: refused while busy or not connected,
    // nothing done in the other states, failures handled by failCall.
    void callWhenIdle(const std::function<void()>& call);

    ostrel::LinkPtr m_link;
    EVtiState m_state = evtiNotConnected;
    ostrel::MtiDataPtr m_mtiData;
    bool m_timedOut = false;
    std::shared_ptr<FTimer> mfrmTimer;
    std::vector<ActiveWait*> m_waits; // nested waits, innermost last
};

} // namespace nb4410vti
