#pragma once
// The virtual test instrument: one remote connection with the NB-4410 over the data link, a
// small state machine deciding which calls may talk to the instrument, and the driver's own
// messages for every failure. Waiting for a reply sleeps in the event loop, so other code of
// the thread (including calls into this object) runs during the wait.
#include "FTimer.h"
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
    static inline const QString kSource = QStringLiteral("NB4410VTI.CNB4410VTI");
    static inline const QString kInstrumentName = QStringLiteral("NB-4410");
    static inline const QString kLinkSettings = QStringLiteral("38400,O,8,1");
    static constexpr std::int32_t kReplyTimeoutMs = 1500;
    // How long GetTestResult keeps repeating a step that fails on the link, from the first failure.
    static constexpr std::int32_t kLinkRetryWindowMs = 1500;
    static constexpr std::int32_t kLinkRetryPauseMs = 50;

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
    struct WaitResult {
        ostrel::MessagePtr reply;
        std::optional<ostrel::ComError> failure; // why the wait ended without a reply
    };
    struct ActiveWait {
        QEventLoop* loop;
        QDeadlineTimer deadline;
    };

    void OpenLink();
    void CloseLink();
    ostrel::LinkPtr requireLink() const;
    // Create, send, wait and check. A reply lost to a link failure fails the exchange when
    // failOnLostReply is set; otherwise it returns no reply.
    ostrel::MessagePtr Exchange(const QString& command, const ostrel::Variant& parameter, const QString& expected,
                                bool failOnLostReply);
    WaitResult WaitForReply(std::int32_t timeoutMs = kReplyTimeoutMs);
    void StoreMTIData(const ostrel::Variant& params);
    ostrel::MessagePtr exchangeWithRetry(std::int32_t iTestID);
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
