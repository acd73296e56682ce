#include "CNB4410VTI.h"

#include "MComUtils.h"
#include "MErrorHandling.h"
#include "MVTIMSG.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/datalink/LinkTrace.h"

#include <QEventLoop>
#include <atomic>

namespace nb4410vti {

using ostrel::ComError;
using ostrel::HResult;
using ostrel::MessagePtr;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

constexpr int kSeverity = 3;
const QString kPlugIn = QStringLiteral("NB-4410");

ComError notInitialized()
{
    return ComError(eeVTI_NotInitialized, CNB4410VTI::kSource, MErrorHandling::VtiErrorDescription(eeVTI_NotInitialized));
}

// A reply that never arrived whole: what the link reports for a broken frame.
ComError lostToTheLine(const QString& what)
{
    return ComError(kLinkCorruptedFrame, CNB4410VTI::kSource, what);
}

// The failures that mean "the reply did not come back", as opposed to an answer or a dead port.
bool isLostReply(HResult number)
{
    return number == kLinkCorruptedFrame || number == eeVTI_ReceiveTimeout || number == eeVTI_InvalidMsgReceived;
}

std::int32_t initialReplyWindowMs()
{
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("OSTREL_VTI_REPLY_WINDOW_MS", &ok);
    return ok && fromEnvironment > 0 ? fromEnvironment : CNB4410VTI::kReplyTimeoutMs;
}

std::atomic<std::int32_t> g_replyWindowMs{initialReplyWindowMs()};

} // namespace

std::int32_t CNB4410VTI::ReplyWindowMs()
{
    return g_replyWindowMs.load();
}

void CNB4410VTI::SetReplyWindowMs(std::int32_t ms)
{
    g_replyWindowMs = ms > 0 ? ms : kReplyTimeoutMs;
}

CNB4410VTI::CNB4410VTI() = default;

CNB4410VTI::~CNB4410VTI()
{
    CloseLink();
}

QString CNB4410VTI::FWVersion()
{
    return m_mtiData ? m_mtiData->FWVersion() : QString();
}

QString CNB4410VTI::MTIName()
{
    return m_mtiData ? m_mtiData->Name() : QString();
}

QString CNB4410VTI::SerialNo()
{
    return m_mtiData ? m_mtiData->SerialNo() : QString();
}

void CNB4410VTI::raise(HResult number) const
{
    ostrel::ErrorService::instance().Raise(kPlugIn, number, kSource, kSeverity, MErrorHandling::VtiErrorDescription(number));
}

void CNB4410VTI::failCall(bool showMtiError)
{
    const ComError failure = ComError::fromCurrent();
    if (failure.number() != eeVTI_MTIError || showMtiError)
        MErrorHandling::ShowVtiError(failure.number(), failure.source(), failure.description());
    ostrel::runStep("note the failure", [] { ostrel::DataLinkRoot::instance()->NoteInstrumentFailure(); });
    // The number callers get is always the general one; the text keeps the cause.
    ostrel::ErrorService::instance().Raise(kPlugIn, eeVTI_Error, kSource, kSeverity,
                                           MErrorHandling::CallFailedDescription(failure.description()));
}

void CNB4410VTI::callWhenIdle(const std::function<void()>& call)
{
    try {
        switch (m_state) {
        case evtiIdle:
            call();
            return;
        case evtiBusy:
            raise(eeVTI_Busy);
        case evtiNotConnected:
            raise(eeVTI_NotInitialized);
        default:
            return;
        }
    } catch (...) {
        failCall(false);
    }
}

// ---- link and timer --------------------------------------------------------------------------

void CNB4410VTI::OpenLink()
{
    CloseLink();
    const ostrel::PortRegistryPtr ports = ostrel::DataLinkRoot::instance()->PortRegistry();
    const std::int32_t port = ports->FindPort(kInstrumentName, QString());
    if (port == 0)
        raise(eeVTI_NoMtiFound);
    m_link = ports->OpenLink(port, kLinkSettings);
    mfrmTimer = std::make_shared<FTimer>();
    connect(mfrmTimer.get(), &FTimer::Timer, this, &CNB4410VTI::onTimer);
}

void CNB4410VTI::CloseLink()
{
    ostrel::runStep("stop the reply timer", [&] {
        if (mfrmTimer) {
            mfrmTimer->setInterval(0);
            mfrmTimer.reset();
        }
    });
    ostrel::runStep("close the link", [&] {
        if (m_link) {
            const ostrel::LinkPtr link = std::move(m_link);
            m_link.reset();
            link->Close();
            ostrel::DataLinkRoot::instance()->NoteLinkClosed(link->Counters());
        }
    });
    // A wait in progress notices that its link is gone.
    for (ActiveWait* wait : m_waits)
        wait->loop->quit();
}

ostrel::LinkPtr CNB4410VTI::requireLink() const
{
    if (!m_link)
        raise(eeVTI_NotInitialized);
    return m_link;
}

void CNB4410VTI::onTimer()
{
    if (mfrmTimer)
        mfrmTimer->setInterval(0);
    m_timedOut = true;
    if (!m_waits.empty())
        m_waits.back()->loop->quit();
}

CNB4410VTI::WaitResult CNB4410VTI::WaitForReply(const QString& expected, std::int32_t timeoutMs)
{
    WaitResult result;
    const ostrel::LinkPtr link = m_link;
    const std::shared_ptr<FTimer> timer = mfrmTimer;
    if (!link || !timer) {
        result.failure = notInitialized();
        return result;
    }

    QEventLoop loop;
    ActiveWait wait{&loop, QDeadlineTimer(timeoutMs, Qt::PreciseTimer)};
    m_waits.push_back(&wait);
    const QMetaObject::Connection woken = connect(link.get(), &ostrel::Link::activity, &loop, &QEventLoop::quit);
    m_timedOut = false;
    timer->setInterval(timeoutMs);

    for (;;) {
        if (m_link != link) { // closed by a call made during the wait
            result.failure = notInitialized();
            break;
        }
        try {
            if (link->MessageWaiting()) {
                const MessagePtr message = link->TakeMessage();
                // A reply to another command came late or twice: it answers nothing here.
                if (message && message->Name() != expected && message->Name() != MVTIMSG::kERRM &&
                    nb4410::protocol::IsReplyName(message->Name())) {
                    link->Discard(message, QStringLiteral("no answer to %1").arg(expected.toUpper()));
                    result.discarded = true;
                    continue;
                }
                if ((result.reply = message))
                    break;
            }
        } catch (const ComError& failure) {
            if (failure.number() == kLinkCorruptedFrame) {
                // The reply is lost; a repeatable command goes out again at once.
                result.corrupted = true;
                break;
            }
            result.failure = failure;
            break;
        }
        if (m_timedOut || wait.deadline.hasExpired())
            break;
        loop.exec();
    }

    disconnect(woken);
    m_waits.pop_back();
    timer->setInterval(0);
    if (!m_waits.empty()) {
        // A wait further out resumes: it gets back its own clock and looks at the link again.
        ActiveWait* outer = m_waits.back();
        m_timedOut = false;
        timer->setInterval(std::max<std::int32_t>(1, static_cast<std::int32_t>(outer->deadline.remainingTime())));
        outer->loop->quit();
    }
    return result;
}

MessagePtr CNB4410VTI::Exchange(const QString& command, const Variant& parameter, Resend resend)
{
    const QString expected = nb4410::protocol::ReplyName(command);
    bool corrupted = false;
    bool discarded = false;
    for (int attempt = 1;; ++attempt) {
        const ostrel::LinkPtr link = requireLink();
        link->Flush();
        const MessagePtr message = link->CreateMessage(command, parameter);
        if (attempt > 1)
            link->NoteResend(command, attempt);
        link->SendMessage(message);
        const WaitResult result = WaitForReply(expected, ReplyWindowMs());
        if (result.reply)
            return result.reply;
        if (result.failure)
            throw *result.failure;
        corrupted = corrupted || result.corrupted;
        discarded = discarded || result.discarded;
        const bool again = attempt < kTries && (resend == Resend::Always ||
                                                (resend == Resend::AfterCorruption && result.corrupted));
        if (again)
            continue;
        if (corrupted)
            throw lostToTheLine(QStringLiteral("The reply to %1 was lost on the line (%2 tries).").arg(command).arg(attempt));
        try {
            raise(discarded ? eeVTI_InvalidMsgReceived : eeVTI_ReceiveTimeout);
        } catch (...) {
            ostrel::ErrorService::instance().PassOn(kSource);
        }
    }
}

MessagePtr CNB4410VTI::Transact(const QString& command, const Variant& parameter, Resend resend)
{
    const MessagePtr reply = Exchange(command, parameter, resend);
    MComUtils::CheckReply(reply, nb4410::protocol::ReplyName(command));
    return reply;
}

void CNB4410VTI::StoreMTIData(const Variant& params)
{
    ostrel::runStep("create the MTI data", [&] { m_mtiData = std::make_shared<ostrel::MtiData>(); });
    ostrel::runStep("name the MTI data", [&] { m_mtiData->SetName(kInstrumentName, 0); });
    ostrel::runStep("fill the MTI data", [&] {
        const VariantArray& values = params.array();
        m_mtiData->SetValues(values[0].toText(), values[1].toText(), values[2].toText());
    });
}

// ---- public operations -----------------------------------------------------------------------

ostrel::MtiDataPtr CNB4410VTI::StartRemote()
{
    try {
        switch (m_state) {
        case evtiNotConnected: {
            m_state = evtiConnecting;
            OpenLink();
            // Silence on the first command means nobody is there: known within one window.
            const MessagePtr reply = Transact(MVTIMSG::kIREM, Variant(std::int32_t(0)), Resend::AfterCorruption);
            StoreMTIData(reply->Parameters(-1));
            ostrel::runStep("note the identity", [&] {
                namespace irem = nb4410::protocol::irem;
                ostrel::DataLinkRoot::instance()->NoteIdentity(
                    {reply->Fields().value(irem::kSerialNo), reply->Fields().value(irem::kFirmware), reply->Fields().value(irem::kModel)});
            });
            m_state = evtiIdle;
            return m_mtiData;
        }
        case evtiBusy:
            raise(eeVTI_Busy);
        default:
            return m_mtiData;
        }
    } catch (...) {
        failCall(true);
    }
}

void CNB4410VTI::EndRemote()
{
    if (!m_link) {
        m_state = evtiNotConnected;
        return;
    }
    m_state = evtiDisconnecting;
    MessagePtr message;
    ostrel::runStep("flush before EREM", [&] { m_link->Flush(); });
    ostrel::runStep("create EREM", [&] { message = m_link->CreateMessage(MVTIMSG::kEREM, Variant(std::int32_t(0))); });
    ostrel::runStep("send EREM", [&] { m_link->SendMessage(message); });
    ostrel::runStep("wait for the EREM reply", [&] { WaitForReply(nb4410::protocol::ReplyName(MVTIMSG::kEREM), ReplyWindowMs()); });
    m_mtiData.reset();
    CloseLink();
    m_state = evtiNotConnected;
}

void CNB4410VTI::StartTest(Variant& vParams)
{
    callWhenIdle([&] {
        m_state = evtiBusy;
        const bool wrapped = vParams.isArray() && vParams.array().dimensions() == 1 &&
                             vParams.array().upperBound() == 0 && vParams.array()[0].isArray();
        const Variant& sent = wrapped ? vParams.array()[0] : vParams;
        try {
            // A start is not sent twice: a second STST of a running test is refused (6001).
            MessagePtr reply = Exchange(MVTIMSG::kSTST, sent, Resend::Never);
            if (isBusy(reply)) {
                // This session is idle, so the running test is one nobody watches: left by a
                // session that ended without stopping it. It is stopped, and ours starts.
                qCWarning(ostrel::lcLink).noquote() << "the instrument was running a test that no session watches; it is stopped";
                ostrel::runStep("stop the unwatched test", [&] { Exchange(MVTIMSG::kATST, Variant(std::int32_t(0)), Resend::Always); });
                reply = Exchange(MVTIMSG::kSTST, sent, Resend::Never);
            }
            MComUtils::CheckReply(reply, nb4410::protocol::ReplyName(MVTIMSG::kSTST));
        } catch (const ComError& failure) {
            if (!isLostReply(failure.number()))
                throw;
            const bool hasType = !sent.isArray() || sent.array().count() > 0;
            const double type = !hasType ? 0.0 : sent.isArray() ? sent.array()[0].val() : sent.val();
            confirmStart(static_cast<std::int32_t>(type));
        }
        m_state = evtiPerformingTest;
    });
}

bool CNB4410VTI::isBusy(const MessagePtr& reply)
{
    bool busy = false;
    ostrel::runStep("read the ERRM code", [&] {
        busy = reply && reply->Name() == MVTIMSG::kERRM &&
               reply->Parameters(nb4410::protocol::errm::kCode).toLong() == nb4410::protocol::kErrBusy;
    });
    return busy;
}

void CNB4410VTI::confirmStart(std::int32_t testType)
{
    bool running = false;
    ostrel::runStep("confirm the start", [&] {
        const MessagePtr reply = Exchange(MVTIMSG::kGRES, Variant(testType), Resend::Always);
        running = reply->Name() == MVTIMSG::kReplyGRES &&
                  reply->Parameters(nb4410::protocol::gres::kType).toLong() == testType;
    });
    if (running) {
        qCInfo(ostrel::lcLink).noquote() << "the start of test" << testType << "was confirmed by its result";
        return;
    }
    // Whatever the instrument is doing, it is not left running unattended.
    ostrel::runStep("stop the unconfirmed test", [&] { Exchange(MVTIMSG::kATST, Variant(std::int32_t(0)), Resend::Always); });
    throw lostToTheLine(QStringLiteral("The start of test %1 could not be confirmed; the instrument's test was stopped.")
                            .arg(testType));
}

void CNB4410VTI::StopTest()
{
    if (m_state != evtiPerformingTest) {
        m_state = evtiIdle;
        return;
    }
    ostrel::runStep("ATST exchange", [&] { Transact(MVTIMSG::kATST, Variant(std::int32_t(0)), Resend::Always); });
    m_state = evtiIdle;
}

void CNB4410VTI::GetTestResult(std::int32_t& iTestID, Variant& vParams)
{
    try {
        if (iTestID < 1)
            return;
        if (m_state != evtiPerformingTest)
            return;
        const MessagePtr reply = Transact(MVTIMSG::kGRES, Variant(iTestID), Resend::Always);
        vParams = reply->Parameters(-1);
    } catch (...) {
        failCall(false);
    }
}

void CNB4410VTI::GetMtiData(QString& sOperator, QString& sEstabl, QString& sSerialNo)
{
    callWhenIdle([&] {
        const MessagePtr reply = Transact(MVTIMSG::kGMTD, Variant(std::int32_t(0)), Resend::Always);
        sOperator = reply->Parameters(nb4410::protocol::gmtd::kOperator).toText();
        sEstabl = reply->Parameters(nb4410::protocol::gmtd::kEstablishment).toText();
        sSerialNo = reply->Parameters(nb4410::protocol::gmtd::kSerialNo).toText();
    });
}

void CNB4410VTI::PutMTIData(QString& sOperator, QString& sEstabl, QString& sSerialNo)
{
    callWhenIdle([&] {
        const VariantArray record{Variant(sOperator), Variant(sEstabl), Variant(sSerialNo)};
        try {
            Transact(MVTIMSG::kPMTD, Variant(record), Resend::Never);
        } catch (const ComError& failure) {
            if (!isLostReply(failure.number()))
                throw;
            confirmRecord(record);
        }
    });
}

void CNB4410VTI::confirmRecord(const VariantArray& record)
{
    bool stored = false;
    ostrel::runStep("read the record back", [&] {
        const MessagePtr reply = Exchange(MVTIMSG::kGMTD, Variant(std::int32_t(0)), Resend::Always);
        if (reply->Name() != MVTIMSG::kReplyGMTD || reply->Fields().size() < nb4410::protocol::gmtd::kFieldCount)
            return;
        stored = true;
        for (int i = 0; i < nb4410::protocol::gmtd::kFieldCount; ++i)
            stored = stored && reply->Fields()[i] == record[i].toText();
    });
    if (stored) {
        qCInfo(ostrel::lcLink).noquote() << "the operator record was confirmed by reading it back";
        return;
    }
    throw lostToTheLine(QStringLiteral("The operator record could not be confirmed as stored."));
}

} // namespace nb4410vti
