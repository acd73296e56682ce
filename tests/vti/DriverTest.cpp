// The driver's exchanges: what goes out, what comes back, and how each failure reaches the
// caller and the user.
#include "DriverFixture.h"

#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/DataLinkRoot.h"
#include "tests/support/TextLists.h"
#include "vti/MErrorHandling.h"

#include "host/core/ClassRegistry.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <thread>

using namespace nb4410vti;
using namespace nb4410vti::testing;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

using ostrel::testing::texts;

TEST_F(DriverTest, StartRemoteKeepsTheIdentityAndShares)
{
    EXPECT_EQ(driver->FWVersion(), QString());
    EXPECT_EQ(driver->MTIName(), QString());
    EXPECT_EQ(driver->SerialNo(), QString());
    const ostrel::MtiDataPtr first = driver->StartRemote();
    ASSERT_TRUE(first);
    EXPECT_EQ(port.link->sent.front().fields, QStringList{QStringLiteral("0")});
    EXPECT_EQ(driver->MTIName(), QStringLiteral("NB-4410"));
    EXPECT_EQ(driver->SerialNo(), QStringLiteral("4410-0042"));
    EXPECT_EQ(driver->FWVersion(), QStringLiteral("2.14"));
    EXPECT_EQ(first->Model(), QStringLiteral("NB-4410 NIBP Analyzer"));
    EXPECT_EQ(driver->StartRemote(), first);
    EXPECT_EQ(driver->MTIData(), first);
    driver->EndRemote();
    EXPECT_FALSE(driver->MTIData());
    EXPECT_EQ(driver->SerialNo(), QString());
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(DriverTest, StartTestUnwrapsOnlyAOneElementArrayHoldingAnArray)
{
    const VariantArray inner = VariantArray::fromTexts({QStringLiteral("400"), QStringLiteral("250")});
    struct Case {
        Variant params;
        QStringList sent;
    };
    const std::vector<Case> cases{
        {Variant(VariantArray{Variant(inner)}), texts({"400", "250"})},
        {Variant(inner), texts({"400", "250"})},
        {Variant(VariantArray{Variant(QStringLiteral("200"))}), texts({"200"})},
    };
    for (const Case& c : cases) {
        connect();
        Variant params = c.params;
        driver->StartTest(params);
        EXPECT_EQ(port.link->sent.back().name, QStringLiteral("STST"));
        EXPECT_EQ(port.link->sent.back().fields, c.sent);
        driver->EndRemote();
    }
}

TEST_F(DriverTest, GetTestResultHandsOverTheWholeReply)
{
    startLeakTest();
    port.link->script(QStringLiteral("GRES"), {Action::reply(QStringLiteral("gres"), texts({"300", "0", "249.5", "", "0.5", "3"}))});
    Variant result;
    EXPECT_EQ(resultFailure(result), 0);
    EXPECT_EQ(port.link->sent.back().fields, texts({"300"}));
    ASSERT_TRUE(result.isArray());
    EXPECT_EQ(result.array().upperBound(), 5);
    EXPECT_EQ(result.array()[2].toText(), QStringLiteral("249.5"));

    // Test number 0 sends nothing and leaves the variable as it was.
    Variant untouched(QStringLiteral("keep"));
    std::int32_t zero = 0;
    const size_t before = port.link->sent.size();
    driver->GetTestResult(zero, untouched);
    EXPECT_EQ(untouched.toText(), QStringLiteral("keep"));
    EXPECT_EQ(port.link->sent.size(), before);
}

TEST_F(DriverTest, OperatorRecordRoundTrip)
{
    connect();
    QString op, est, serial;
    driver->GetMtiData(op, est, serial);
    EXPECT_EQ(op, QStringLiteral("Ann"));
    EXPECT_EQ(est, QStringLiteral("Clinic"));
    EXPECT_EQ(serial, QStringLiteral("SN-7"));
    QString newOp = QStringLiteral("Bo"), newEst = QStringLiteral("Ward 3"), newSerial = QStringLiteral("X1");
    driver->PutMTIData(newOp, newEst, newSerial);
    EXPECT_EQ(port.link->sent.back().name, QStringLiteral("PMTD"));
    EXPECT_EQ(port.link->sent.back().fields, texts({"Bo", "Ward 3", "X1"}));
    EXPECT_EQ(driver->VtiState(), evtiIdle);
}

TEST_F(DriverTest, WrongOrMissingRepliesFailWithTheirMessages)
{
    struct Case {
        const char* what;
        Action reply;
        QString message;
    };
    const std::vector<Case> cases{
        {"upper-case reply", Action::reply(QStringLiteral("IREM"), texts({"1", "2", "3"})), k22002},
        {"other reply", Action::reply(QStringLiteral("gmtd")), k22002},
        {"no reply", Action::silence(), k22003},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.sink->shown.clear();
        driver = std::make_shared<CNB4410VTI>();
        port.link->script(QStringLiteral("IREM"), {c.reply});
        EXPECT_EQ(failureOf([&] { driver->StartRemote(); }), eeVTI_Error);
        ASSERT_EQ(messages.sink->shown.size(), 1u);
        EXPECT_EQ(messages.sink->shown[0].text, c.message);
        EXPECT_EQ(messages.sink->shown[0].title, kTitle);
        EXPECT_EQ(messages.sink->shown[0].icon, ostrel::MessageIcon::Critical);
        EXPECT_EQ(driver->VtiState(), evtiConnecting);
        EXPECT_EQ(driver->SerialNo(), QString());
        driver->EndRemote();
    }
}

TEST_F(DriverTest, NoRegisteredPortFailsWithoutOpeningALink)
{
    ostrel::DataLinkRoot::instance()->PortRegistry()->SetPorts({});
    EXPECT_EQ(failureOf([&] { driver->StartRemote(); }), eeVTI_Error);
    EXPECT_EQ(shownTexts(), QStringList{k22003});
    EXPECT_EQ(driver->VtiState(), evtiConnecting);
    EXPECT_FALSE(driver->Link());
    EXPECT_EQ(port.opens, 0);
}

TEST_F(DriverTest, InstrumentErrorReplyShowsItsFourLines)
{
    connect();
    // Busy still after the driver stopped the instrument's test: the start fails.
    for (int i = 0; i < 2; ++i)
        port.link->script(QStringLiteral("STST"), {Action::errm(QStringLiteral("Start test"), 6001, QStringLiteral("Leak test running"))});
    Variant params(VariantArray::fromTexts({QStringLiteral("300")}));
    EXPECT_EQ(failureOf([&] { driver->StartTest(params); }), eeVTI_Error);
    ASSERT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_EQ(messages.sink->shown[0].text,
              QStringLiteral("Error received from MTI: 6001\r\nBusy\r\nOccurred when performing Start test\r\nLeak test running"));
    EXPECT_EQ(messages.sink->shown[0].title, kTitle);
    EXPECT_EQ(driver->VtiState(), evtiBusy);
}

// A session that ended without stopping its test (the program was killed) leaves the
// instrument running it: the next start stops that test and starts its own, once.
TEST_F(DriverTest, ATestLeftRunningIsStoppedAndTheStartSentOnceMore)
{
    connect();
    port.link->script(QStringLiteral("STST"), {Action::errm(QStringLiteral("STST"), 6001, QStringLiteral("Test 100 is running"))});
    const auto before = port.link->sent.size();
    Variant params(VariantArray::fromTexts({QStringLiteral("300")}));
    driver->StartTest(params);
    EXPECT_TRUE(messages.sink->shown.empty());
    EXPECT_EQ(driver->VtiState(), evtiPerformingTest);
    // The stop between the two starts (sent again when a loaded machine misses its window).
    const QStringList names = port.link->sentNames().mid(static_cast<qsizetype>(before));
    ASSERT_GE(names.size(), 3) << names.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(names.count(QStringLiteral("STST")), 2) << names.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(names.first(), QStringLiteral("STST"));
    EXPECT_EQ(names.mid(1, names.size() - 2), QStringList(names.size() - 2, QStringLiteral("ATST")));
    EXPECT_EQ(names.last(), QStringLiteral("STST"));
}

TEST_F(DriverTest, InstrumentErrorOnStartRemoteAlsoShowsTheGeneralMessage)
{
    port.link->script(QStringLiteral("IREM"), {Action::errm(QStringLiteral("IREM"), 9999, QStringLiteral("Not now"))});
    const auto failure = ostrel::testing::errorOf([&] { driver->StartRemote(); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number(), eeVTI_Error);
    ASSERT_EQ(messages.sink->shown.size(), 2u);
    EXPECT_EQ(messages.sink->shown[0].text,
              QStringLiteral("Error received from MTI: 9999\r\nUnknown error\r\nOccurred when performing IREM\r\nNot now"));
    // The general message, and the failure the caller keeps, name the instrument's error.
    const QString cause = QStringLiteral("The NB-4410 reported error 9999 (Unknown error) on IREM: Not now");
    EXPECT_EQ(messages.sink->shown[1].text, QStringLiteral("Error #-2147179414 (41578)    [NB4410VTI.MComUtils]\n") + cause);
    EXPECT_EQ(failure->description(), cause);
}

TEST(MErrorHandling, GeneralMessageParameters)
{
    struct Case {
        ostrel::HResult number;
        QString expected;
    };
    const std::vector<Case> cases{
        {eeVTI_Error, QStringLiteral("Error #-2147179416 (41576)    [src]\ndesc")},
        {91, QStringLiteral("Error #91 (2147221083)    [src]\ndesc")},
        {262655, QStringLiteral("Error #262655 (2147483647)    [src]\ndesc")},
        {262656, QStringLiteral("Error #262656 ()    [src]\ndesc")},
    };
    for (const Case& c : cases) {
        ostrel::testing::MessageGuard guard;
        MErrorHandling::ShowVtiError(c.number, QStringLiteral("src"), QStringLiteral("desc"));
        ASSERT_EQ(guard.sink->shown.size(), 1u);
        EXPECT_EQ(guard.sink->shown[0].text, c.expected);
    }
}

TEST(MErrorHandling, TextsByNumberAndCode)
{
    const std::vector<std::pair<ostrel::HResult, QString>> numbers{
        {kLinkCorruptedFrame, k22001}, {kLinkPortFailure, k22001}, {eeVTI_InvalidMsgReceived, k22002},
        {eeVTI_InvalidParametersReceived, k22002}, {eeVTI_NotInitialized, k22003}, {eeVTI_Busy, k22003},
        {eeVTI_ReceiveTimeout, k22003}, {eeVTI_NoMtiFound, k22003},
    };
    for (const auto& [number, text] : numbers) {
        ostrel::testing::MessageGuard guard;
        MErrorHandling::ShowVtiError(number, QStringLiteral("s"), QStringLiteral("d"));
        ASSERT_EQ(guard.sink->shown.size(), 1u);
        EXPECT_EQ(guard.sink->shown[0].text, text);
    }
    const std::vector<std::pair<int, const char*>> codes{
        {1001, "Missing parameter"}, {1002, "Too many parameters"}, {1003, "Invalid parameter"},
        {1101, "Unknown message format"}, {5001, "Out of memory"}, {6000, "Uknown command"}, {6001, "Busy"},
        {6002, "Test not allowed"}, {6003, "Illegal command"}, {6004, "Command not allowed"},
        {7001, "Object not found"}, {0, "Unknown error"}, {9999, "Unknown error"},
    };
    for (const auto& [code, text] : codes)
        EXPECT_EQ(MErrorHandling::MTIErrorText(code), QString::fromUtf8(text)) << code;
}

TEST(MErrorHandling, ShortOrForeignRepliesStillShowWhatCanBeBuilt)
{
    ostrel::testing::MessageGuard guard;
    MErrorHandling::ShowMTIError(QStringLiteral("gres"), Variant(VariantArray::fromTexts({QStringLiteral("x")})));
    EXPECT_TRUE(guard.sink->shown.empty());
    MErrorHandling::ShowMTIError(QStringLiteral("ERRM"), Variant(VariantArray::fromTexts({QStringLiteral("GRES")})));
    ASSERT_EQ(guard.sink->shown.size(), 1u);
    EXPECT_EQ(guard.sink->shown[0].text,
              QStringLiteral("Error received from MTI: 0\r\nUnknown error\r\nOccurred when performing GRES\r\n"));
}

// ---- the link failing ------------------------------------------------------------------------

TEST_F(DriverTest, StartTestAndPutMTIDataFailWhenTheLinkDiesDuringTheWait)
{
    connect();
    port.link->script(QStringLiteral("STST"), {Action::failPort(20)});
    Variant params(VariantArray::fromTexts({QStringLiteral("300")}));
    EXPECT_EQ(failureOf([&] { driver->StartTest(params); }), eeVTI_Error);
    EXPECT_EQ(shownTexts(), QStringList{k22001});
    EXPECT_EQ(driver->VtiState(), evtiBusy);
    driver->EndRemote();

    messages.sink->shown.clear();
    connect();
    port.link->script(QStringLiteral("PMTD"), {Action::bytesOf(QByteArray("\x02pmtd\x03" "0000"), 20)});
    EXPECT_EQ(putRecordFailure(), eeVTI_Error);
    EXPECT_EQ(shownTexts(), QStringList{k22001});
    EXPECT_EQ(driver->VtiState(), evtiIdle);
}

TEST_F(DriverTest, StopTestAndEndRemoteNeverFail)
{
    startLeakTest();
    port.link->failWrites = true;
    port.link->failNow();
    EXPECT_EQ(failureOf([&] { driver->StopTest(); }), 0);
    EXPECT_EQ(driver->VtiState(), evtiIdle);
    EXPECT_EQ(failureOf([&] { driver->EndRemote(); }), 0);
    EXPECT_EQ(driver->VtiState(), evtiNotConnected);
    EXPECT_TRUE(port.link->closed);
    EXPECT_TRUE(messages.sink->shown.empty());
}

// ---- replies broken, lost, late or doubled ------------------------------------------------------

QByteArray corruptedFrame(const QString& name, const QStringList& fields)
{
    QByteArray frame = ostrel::FrameCodec::encode(name, fields);
    frame[frame.size() - 1] = frame.back() == '0' ? '1' : '0';
    return frame;
}

// How a reply goes missing, as the script plays it for one request.
struct LostReply {
    const char* what;
    std::function<std::vector<Action>(const QString& reply)> actions;
};

std::vector<LostReply> lostReplies()
{
    return {
        {"broken", [](const QString& reply) { return std::vector<Action>{Action::bytesOf(corruptedFrame(reply, {}), 5)}; }},
        {"lost", [](const QString&) { return std::vector<Action>{Action::silence()}; }},
        {"late", [](const QString& reply) {
             return std::vector<Action>{Action::reply(reply, texts({"300", "0", "1"}), DriverTest::kWindowMs + 40)};
         }},
    };
}

TEST_F(DriverTest, TheResultQueryIsAskedAgainWhenItsReplyGoesMissing)
{
    for (const LostReply& lost : lostReplies()) {
        SCOPED_TRACE(lost.what);
        startLeakTest();
        messages.sink->shown.clear();
        port.link->script(QStringLiteral("GRES"), lost.actions(QStringLiteral("gres")));
        port.link->script(QStringLiteral("GRES"), {Action::reply(QStringLiteral("gres"), texts({"300", "1", "240"}))});
        Variant result;
        EXPECT_EQ(resultFailure(result), 0);
        ASSERT_TRUE(result.isArray());
        EXPECT_EQ(result.array()[0].toText(), QStringLiteral("300"));
        EXPECT_TRUE(messages.sink->shown.empty());
        EXPECT_EQ(port.link->Counters().resends, 1u);
        EXPECT_EQ(driver->VtiState(), evtiPerformingTest);
        driver->EndRemote();
    }
}

TEST_F(DriverTest, TheResultQueryGivesUpAfterItsTriesWithTheCommunicationMessage)
{
    struct Case {
        const char* what;
        Action reply;
        QString message;
    };
    const std::vector<Case> cases{
        {"broken every time", Action::bytesOf(corruptedFrame(QStringLiteral("gres"), texts({"300"})), 5), k22001},
        {"silent every time", Action::silence(), k22003},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startLeakTest();
        messages.sink->shown.clear();
        for (int i = 0; i < CNB4410VTI::kTries; ++i)
            port.link->script(QStringLiteral("GRES"), {c.reply});
        Variant result;
        EXPECT_EQ(resultFailure(result), eeVTI_Error);
        EXPECT_EQ(shownTexts(), QStringList{c.message});
        EXPECT_EQ(port.link->sentNames().count(QStringLiteral("GRES")), CNB4410VTI::kTries);
        EXPECT_EQ(driver->VtiState(), evtiPerformingTest);
        driver->EndRemote();
    }
}

TEST_F(DriverTest, ADeadPortFailsTheResultQueryAtOnce)
{
    startLeakTest();
    port.link->failNow();
    Variant result;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(resultFailure(result), eeVTI_Error);
    EXPECT_LT(clock.elapsed(), kWindowMs);
    EXPECT_EQ(shownTexts(), QStringList{k22001});
    EXPECT_EQ(driver->VtiState(), evtiPerformingTest);
}

TEST_F(DriverTest, LeftoverAndDoubledRepliesNeverAnswerTheNextRequest)
{
    connect();
    // The stop's reply comes twice and late: the copies are thrown away, not taken as "gmtd".
    port.link->script(QStringLiteral("GMTD"), {Action::reply(QStringLiteral("atst"), {}, 5), Action::reply(QStringLiteral("atst"), {}, 10),
                                               Action::reply(QStringLiteral("gmtd"), texts({"Op", "Est", "Ser"}), 30)});
    QString op, est, serial;
    EXPECT_EQ(failureOf([&] { driver->GetMtiData(op, est, serial); }), 0);
    EXPECT_EQ(op, QStringLiteral("Op"));
    // A reply left on the line before a request is flushed before the request goes out.
    port.link->script(QStringLiteral("GMTD"), {Action::reply(QStringLiteral("gmtd"), texts({"Op", "Est", "Ser"})),
                                               Action::reply(QStringLiteral("gmtd"), texts({"Old", "Old", "Old"}), 5)});
    port.link->script(QStringLiteral("GMTD"), {Action::reply(QStringLiteral("gmtd"), texts({"New", "New", "New"}), 20)});
    driver->GetMtiData(op, est, serial);
    QEventLoop settle; // the doubled reply lands before the next request
    QTimer::singleShot(20, &settle, &QEventLoop::quit);
    settle.exec();
    driver->GetMtiData(op, est, serial);
    EXPECT_EQ(op, QStringLiteral("New"));
    EXPECT_EQ(port.link->Counters().discarded, 3u);
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(DriverTest, AStartWhoseReplyIsLostIsConfirmedByTheResult)
{
    for (const LostReply& lost : lostReplies()) {
        SCOPED_TRACE(lost.what);
        connect();
        port.link->script(QStringLiteral("STST"), lost.actions(QStringLiteral("stst")));
        port.link->script(QStringLiteral("GRES"), {Action::reply(QStringLiteral("gres"), texts({"300", "0", "12"}))});
        Variant params(VariantArray::fromTexts({QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("20")}));
        EXPECT_EQ(failureOf([&] { driver->StartTest(params); }), 0);
        EXPECT_EQ(driver->VtiState(), evtiPerformingTest);
        EXPECT_EQ(port.link->sentNames().count(QStringLiteral("STST")), 1);
        EXPECT_TRUE(messages.sink->shown.empty());
        driver->EndRemote();
    }
}

TEST_F(DriverTest, AnUnconfirmedStartStopsTheInstrumentAndFails)
{
    struct Case {
        const char* what;
        std::vector<Action> confirmation;
    };
    const std::vector<Case> cases{
        {"the instrument runs no test", {Action::errm(QStringLiteral("GRES"), 6004, QStringLiteral("No test started"))}},
        {"the confirmation is lost too", {Action::silence()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        connect();
        messages.sink->shown.clear();
        port.link->script(QStringLiteral("STST"), {Action::bytesOf(corruptedFrame(QStringLiteral("stst"), {}), 5)});
        for (int i = 0; i < CNB4410VTI::kTries; ++i)
            port.link->script(QStringLiteral("GRES"), c.confirmation);
        Variant params(VariantArray::fromTexts({QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("20")}));
        EXPECT_EQ(failureOf([&] { driver->StartTest(params); }), eeVTI_Error);
        EXPECT_EQ(shownTexts(), QStringList{k22001}); // one clear message, no instrument error box
        EXPECT_TRUE(port.link->sentNames().contains(QStringLiteral("ATST")));
        EXPECT_EQ(port.link->sentNames().count(QStringLiteral("STST")), 1);
        EXPECT_EQ(driver->VtiState(), evtiBusy);
        driver->EndRemote();
    }
}

TEST_F(DriverTest, ARecordWriteWhoseReplyIsLostIsConfirmedByReadingItBack)
{
    for (const LostReply& lost : lostReplies()) {
        SCOPED_TRACE(lost.what);
        connect();
        messages.sink->shown.clear();
        port.link->script(QStringLiteral("PMTD"), lost.actions(QStringLiteral("pmtd")));
        port.link->script(QStringLiteral("GMTD"), {Action::reply(QStringLiteral("gmtd"), texts({"a", "b", "c"}))});
        EXPECT_EQ(putRecordFailure(), 0);
        EXPECT_TRUE(messages.sink->shown.empty());
        QEventLoop settle; // a late reply lands before the next write, which flushes it
        QTimer::singleShot(kWindowMs, &settle, &QEventLoop::quit);
        settle.exec();
        // Not stored after all: the write fails with the communication message.
        port.link->script(QStringLiteral("PMTD"), lost.actions(QStringLiteral("pmtd")));
        port.link->script(QStringLiteral("GMTD"), {Action::reply(QStringLiteral("gmtd"), texts({"a", "b", "old"}))});
        EXPECT_EQ(putRecordFailure(), eeVTI_Error);
        EXPECT_EQ(shownTexts(), QStringList{k22001});
        EXPECT_EQ(driver->VtiState(), evtiIdle);
        driver->EndRemote();
    }
}

TEST_F(DriverTest, ABrokenReplyGivesTheCommunicationMessageWhateverTheCommand)
{
    // Identify and the record read once showed a Basic runtime error here.
    const std::vector<std::pair<const char*, std::function<void()>>> calls{
        {"IREM", [&] { driver->StartRemote(); }},
        {"GMTD", [&] { QString a, b, c; connect(); driver->GetMtiData(a, b, c); }},
    };
    for (const auto& [command, call] : calls) {
        SCOPED_TRACE(command);
        driver = std::make_shared<CNB4410VTI>();
        messages.sink->shown.clear();
        const QString name = QString::fromLatin1(command);
        for (int i = 0; i < CNB4410VTI::kTries; ++i)
            port.link->script(name, {Action::bytesOf(corruptedFrame(name.toLower(), {}), 5)});
        EXPECT_EQ(failureOf(call), eeVTI_Error);
        EXPECT_EQ(shownTexts(), QStringList{k22001});
        for (const QString& text : shownTexts())
            EXPECT_FALSE(text.contains(QStringLiteral("#91")));
        driver->EndRemote();
    }
}

// ---- calls made while a reply is awaited -------------------------------------------------------

TEST_F(DriverTest, CallsDuringAWaitSeeTheExchangeInProgress)
{
    connect();
    ostrel::HResult nested = 1;
    EVtiState seen = evtiNotConnected;
    Variant params(VariantArray::fromTexts({QStringLiteral("300")}));
    port.link->script(QStringLiteral("STST"), {Action::callLater([&] {
                                                   seen = driver->VtiState();
                                                   Variant again(VariantArray::fromTexts({QStringLiteral("300")}));
                                                   nested = failureOf([&] { driver->StartTest(again); });
                                               }, 10),
                                               Action::reply(QStringLiteral("stst"), {}, 60)});
    EXPECT_EQ(failureOf([&] { driver->StartTest(params); }), 0);
    EXPECT_EQ(seen, evtiBusy);
    EXPECT_EQ(nested, eeVTI_Error);
    EXPECT_EQ(shownTexts(), QStringList{k22003});
    EXPECT_EQ(driver->VtiState(), evtiPerformingTest);
}

TEST_F(DriverTest, NestedExchangeLeavesTheOuterWaitWorking)
{
    connect();
    ostrel::HResult nested = 1;
    port.link->script(QStringLiteral("GMTD"), {Action::callLater([&] { nested = putRecordFailure(); }, 10),
                                               Action::reply(QStringLiteral("gmtd"), texts({"Op", "Est", "Ser"}), 150)});
    QString op, est, serial;
    EXPECT_EQ(failureOf([&] { driver->GetMtiData(op, est, serial); }), 0);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(op, QStringLiteral("Op"));
    EXPECT_EQ(port.link->sentNames(), texts({"IREM", "GMTD", "PMTD"}));
}

TEST_F(DriverTest, OuterWaitStillTimesOutAfterANestedExchange)
{
    connect();
    QString a = QStringLiteral("a"), b = QStringLiteral("b"), c = QStringLiteral("c");
    port.link->script(QStringLiteral("GMTD"), {Action::callLater([&] { driver->PutMTIData(a, b, c); }, 10)});
    for (int i = 1; i < CNB4410VTI::kTries; ++i)
        port.link->script(QStringLiteral("GMTD"), {Action::silence()});
    QString op, est, serial;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(failureOf([&] { driver->GetMtiData(op, est, serial); }), eeVTI_Error);
    EXPECT_LT(clock.elapsed(), (CNB4410VTI::kTries + 1) * kWindowMs);
    EXPECT_EQ(shownTexts(), QStringList{k22003});
}

TEST_F(DriverTest, EndRemoteDuringAWaitEndsItWithoutHanging)
{
    startLeakTest();
    port.link->script(QStringLiteral("GRES"), {Action::callLater([&] { driver->EndRemote(); }, 10)});
    Variant result;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(resultFailure(result), eeVTI_Error);
    EXPECT_LT(clock.elapsed(), kWindowMs);
    EXPECT_EQ(driver->VtiState(), evtiNotConnected);
}

} // namespace

namespace {

TEST(GNB4410VTI, OneSharedDriverPerThread)
{
    auto first = ostrel::ClassRegistry::instance().CreateAs<_GNB4410VTI>(QString::fromLatin1(kGNB4410VTIProgId));
    auto second = ostrel::ClassRegistry::instance().CreateAs<_GNB4410VTI>(QString::fromLatin1(kGNB4410VTIProgId));
    ASSERT_NE(first, second);
    const auto driver = first->NB4410();
    EXPECT_EQ(second->NB4410(), driver);
    EXPECT_EQ(driver->VtiState(), evtiNotConnected);
    EXPECT_EQ(first->SupportedMTIVersion(), QString());
    std::shared_ptr<_CNB4410VTI> other;
    std::thread([&] { other = first->NB4410(); other->StopTest(); }).join();
    EXPECT_NE(other, driver);
    EXPECT_EQ(driver->VtiState(), evtiNotConnected); // the other thread's StopTest changed only its own
}

// Nothing of the driver outlives the globals: no link is closed during static destruction.
TEST(GNB4410VTI, TheThreadsDriverGoesWithTheLastGlobal)
{
    auto first = ostrel::ClassRegistry::instance().CreateAs<_GNB4410VTI>(QString::fromLatin1(kGNB4410VTIProgId));
    auto second = ostrel::ClassRegistry::instance().CreateAs<_GNB4410VTI>(QString::fromLatin1(kGNB4410VTIProgId));
    const std::weak_ptr<_CNB4410VTI> driver = first->NB4410();
    EXPECT_EQ(second->NB4410(), driver.lock());
    first.reset();
    EXPECT_FALSE(driver.expired());
    second.reset();
    EXPECT_TRUE(driver.expired());
}

} // namespace
