#include "CNB4410VTI.h"

#include "MComUtils.h"
#include "MErrorHandling.h"
#include "MVTIMSG.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/DataLinkRoot.h"

#include <QElapsedTimer>
#include <QEventLoop>

namespace nb4410vti {

using ostrel::ComError;
using ostrel::HResult;
using ostrel::MessagePtr;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

constexpr int kSeverity = 3;
const QString kPlugIn = QStringLiteral("NB-4410");

bool isLinkError(HResult number)
{
    return number == kLinkCorruptedFrame || number == kLinkPortFailure;
}

void sleepInEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

ComError notInitialized()
{
    return ComError(eeVTI_NotInitialized, CNB4410VTI::kSource, MErrorHandling::VtiErrorDescription(eeVTI_NotInitialized));
}

// Reading the parameters of a reply that never came, as the instrument's caller sees it.
[[noreturn]] void noReply()
{
    throw ComError(91, CNB4410VTI::kSource, QStringLiteral("Object variable or With block variable not set"));
}

} // namespace

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
    raise(eeVTI_Error);
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

CNB4410VTI::WaitResult CNB4410VTI::WaitForReply(std::int32_t timeoutMs)
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

    bool timedOut = false;
    for (;;) {
        if (m_link != link) { // closed by a call made during the wait
            result.failure = notInitialized();
            break;
        }
        try {
            if (link->MessageWaiting() && (result.reply = link->TakeMessage()))
                break;
        } catch (...) {
            result.failure = ComError::fromCurrent();
            break;
        }
        if (m_timedOut || wait.deadline.hasExpired()) {
            timedOut = true;
            break;
        }
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
    if (timedOut) {
        try {
            raise(eeVTI_ReceiveTimeout);
        } catch (...) {
            ostrel::ErrorService::instance().PassOn(kSource);
        }
    }
    return result;
}

MessagePtr CNB4410VTI::Exchange(const QString& command, const Variant& parameter, const QString& expected,
                                bool failOnLostReply)
{
    const ostrel::LinkPtr link = requireLink();
    const MessagePtr message = link->CreateMessage(command, parameter);
    link->SendMessage(message);
    WaitResult result = WaitForReply();
    if (!result.reply && result.failure && failOnLostReply)
        throw *result.failure;
    MComUtils::CheckReply(result.reply, expected);
    return result.reply;
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
            const MessagePtr reply = Exchange(MVTIMSG::kIREM, Variant(std::int32_t(0)), MVTIMSG::kReplyIREM, false);
            if (!reply)
                noReply();
            StoreMTIData(reply->Parameters(-1));
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
    ostrel::runStep("create EREM", [&] { message = m_link->CreateMessage(MVTIMSG::kEREM, Variant(std::int32_t(0))); });
    ostrel::runStep("send EREM", [&] { m_link->SendMessage(message); });
    ostrel::runStep("wait for the EREM reply", [&] { WaitForReply(); });
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
        // A reply lost to the link means the instrument may not have started: that is a failure.
        Exchange(MVTIMSG::kSTST, sent, MVTIMSG::kReplySTST, true);
        m_state = evtiPerformingTest;
    });
}

void CNB4410VTI::StopTest()
{
    if (m_state != evtiPerformingTest) {
        m_state = evtiIdle;
        return;
    }
    ostrel::runStep("ATST exchange", [&] { Exchange(MVTIMSG::kATST, Variant(std::int32_t(0)), MVTIMSG::kReplyATST, false); });
    m_state = evtiIdle;
}

MessagePtr CNB4410VTI::exchangeWithRetry(std::int32_t iTestID)
{
    // A step failing on the link is repeated, with the event loop running between tries,
    // until kLinkRetryWindowMs have passed since the first failure; then the link error stands.
    QElapsedTimer sinceFirstFailure;
    std::optional<ComError> lastLinkError;
    const auto retrying = [&](auto step) {
        for (;;) {
            try {
                return step();
            } catch (const ComError& failure) {
                if (!isLinkError(failure.number()))
                    throw;
                if (!sinceFirstFailure.isValid())
                    sinceFirstFailure.start();
                else if (sinceFirstFailure.elapsed() >= kLinkRetryWindowMs)
                    throw;
                lastLinkError = failure;
                sleepInEventLoop(kLinkRetryPauseMs);
            }
        }
    };

    const MessagePtr message =
        retrying([&] { return requireLink()->CreateMessage(MVTIMSG::kGRES, Variant(iTestID)); });
    retrying([&] { requireLink()->SendMessage(message); });
    const MessagePtr reply = retrying([&]() -> MessagePtr {
        const bool again = sinceFirstFailure.isValid();
        const std::int32_t timeoutMs =
            again ? std::max<std::int32_t>(1, kLinkRetryWindowMs - static_cast<std::int32_t>(sinceFirstFailure.elapsed()))
                  : kReplyTimeoutMs;
        try {
            WaitResult result = WaitForReply(timeoutMs);
            if (!result.reply && result.failure && isLinkError(result.failure->number()))
                throw *result.failure;
            return result.reply;
        } catch (const ComError& failure) {
            // Waiting again after a link failure and hearing nothing: the reply was lost to the link.
            if (again && failure.number() == eeVTI_ReceiveTimeout && lastLinkError)
                throw *lastLinkError;
            throw;
        }
    });
    MComUtils::CheckReply(reply, MVTIMSG::kReplyGRES);
    return reply;
}

void CNB4410VTI::GetTestResult(std::int32_t& iTestID, Variant& vParams)
{
    try {
        if (iTestID < 1)
            return;
        if (m_state != evtiPerformingTest)
            return;
        const MessagePtr reply = exchangeWithRetry(iTestID);
        if (!reply)
            noReply();
        vParams = reply->Parameters(-1);
    } catch (...) {
        failCall(false);
    }
}

void CNB4410VTI::GetMtiData(QString& sOperator, QString& sEstabl, QString& sSerialNo)
{
    callWhenIdle([&] {
        const MessagePtr reply = Exchange(MVTIMSG::kGMTD, Variant(std::int32_t(0)), MVTIMSG::kReplyGMTD, false);
        if (!reply)
            noReply();
        sOperator = reply->Parameters(0).toText();
        sEstabl = reply->Parameters(1).toText();
        sSerialNo = reply->Parameters(2).toText();
    });
}

void CNB4410VTI::PutMTIData(QString& sOperator, QString& sEstabl, QString& sSerialNo)
{
    callWhenIdle([&] {
        const VariantArray record{Variant(sOperator), Variant(sEstabl), Variant(sSerialNo)};
        // A reply lost to the link means the record may not have been written: that is a failure.
        Exchange(MVTIMSG::kPMTD, Variant(record), MVTIMSG::kReplyPMTD, true);
    });
}

} // namespace nb4410vti
