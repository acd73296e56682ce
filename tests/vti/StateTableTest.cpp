// Every cell of the driver's state table: what each operation sends, which state it leaves
// and whether the caller sees a failure, from each of the six states.
#include "DriverFixture.h"
#include "tests/support/TextLists.h"

#include <QEventLoop>

using namespace nb4410vti;
using namespace nb4410vti::testing;
using ostrel::Variant;

namespace {

enum class Op { StartRemote, StartTest, GetTestResult, StopTest, GetMtiData, PutMTIData, EndRemote };

const char* opName(Op op)
{
    switch (op) {
    case Op::StartRemote: return "StartRemote";
    case Op::StartTest: return "StartTest";
    case Op::GetTestResult: return "GetTestResult";
    case Op::StopTest: return "StopTest";
    case Op::GetMtiData: return "GetMtiData";
    case Op::PutMTIData: return "PutMTIData";
    case Op::EndRemote: return "EndRemote";
    }
    return "";
}

struct Cell {
    Op op;
    EVtiState from;
    QStringList sent;      // commands the call sends
    EVtiState after;       // state right after the call
    bool fails;            // the caller receives eeVTI_Error and message 22003
};

void invoke(CNB4410VTI& driver, Op op)
{
    Variant params(ostrel::VariantArray::fromTexts({QStringLiteral("200")}));
    Variant result;
    std::int32_t testId = 200;
    QString a = QStringLiteral("A"), b = QStringLiteral("B"), c = QStringLiteral("C");
    switch (op) {
    case Op::StartRemote: driver.StartRemote(); break;
    case Op::StartTest: driver.StartTest(params); break;
    case Op::GetTestResult: driver.GetTestResult(testId, result); break;
    case Op::StopTest: driver.StopTest(); break;
    case Op::GetMtiData: driver.GetMtiData(a, b, c); break;
    case Op::PutMTIData: driver.PutMTIData(a, b, c); break;
    case Op::EndRemote: driver.EndRemote(); break;
    }
}

class StateTable : public DriverTest {
protected:
    // Brings the driver into a state; for evtiDisconnecting, runs check during the wait of EndRemote.
    void runFrom(EVtiState state, const std::function<void()>& check)
    {
        switch (state) {
        case evtiNotConnected:
            break;
        case evtiConnecting: // a wrong reply to IREM leaves the link open and the state at 1
            port.link->script(QStringLiteral("IREM"), {Action::reply(QStringLiteral("IREM"))});
            EXPECT_EQ(failureOf([&] { driver->StartRemote(); }), eeVTI_Error);
            break;
        case evtiIdle:
            connect();
            break;
        case evtiBusy: // an error reply to STST leaves the state at 3
            connect();
            port.link->script(QStringLiteral("STST"), {Action::errm(QStringLiteral("STST"), 1003, QString())});
            {
                Variant params(ostrel::VariantArray::fromTexts({QStringLiteral("200")}));
                EXPECT_EQ(failureOf([&] { driver->StartTest(params); }), eeVTI_Error);
            }
            break;
        case evtiPerformingTest:
            startLeakTest();
            break;
        case evtiDisconnecting: {
            connect();
            bool checked = false;
            port.link->script(QStringLiteral("EREM"), {Action::callLater([&] { check(); checked = true; }, 10),
                                                       Action::reply(QStringLiteral("erem"), {}, 100)});
            driver->EndRemote();
            EXPECT_TRUE(checked);
            return;
        }
        }
        ASSERT_EQ(driver->VtiState(), state);
        check();
    }
};

TEST_F(StateTable, EveryCell)
{
    const QStringList none;
    const auto S = [](std::initializer_list<const char*> names) { return ostrel::testing::texts(names); };
    const std::vector<Cell> cells{
        {Op::StartRemote, evtiNotConnected, S({"IREM"}), evtiIdle, false},
        {Op::StartRemote, evtiConnecting, none, evtiConnecting, false},
        {Op::StartRemote, evtiIdle, none, evtiIdle, false},
        {Op::StartRemote, evtiBusy, none, evtiBusy, true},
        {Op::StartRemote, evtiPerformingTest, none, evtiPerformingTest, false},
        {Op::StartRemote, evtiDisconnecting, none, evtiDisconnecting, false},

        {Op::StartTest, evtiNotConnected, none, evtiNotConnected, true},
        {Op::StartTest, evtiConnecting, none, evtiConnecting, false},
        {Op::StartTest, evtiIdle, S({"STST"}), evtiPerformingTest, false},
        {Op::StartTest, evtiBusy, none, evtiBusy, true},
        {Op::StartTest, evtiPerformingTest, none, evtiPerformingTest, false},
        {Op::StartTest, evtiDisconnecting, none, evtiDisconnecting, false},

        {Op::GetTestResult, evtiNotConnected, none, evtiNotConnected, false},
        {Op::GetTestResult, evtiConnecting, none, evtiConnecting, false},
        {Op::GetTestResult, evtiIdle, none, evtiIdle, false},
        {Op::GetTestResult, evtiBusy, none, evtiBusy, false},
        {Op::GetTestResult, evtiPerformingTest, S({"GRES"}), evtiPerformingTest, false},
        {Op::GetTestResult, evtiDisconnecting, none, evtiDisconnecting, false},

        {Op::StopTest, evtiNotConnected, none, evtiIdle, false},
        {Op::StopTest, evtiConnecting, none, evtiIdle, false},
        {Op::StopTest, evtiIdle, none, evtiIdle, false},
        {Op::StopTest, evtiBusy, none, evtiIdle, false},
        {Op::StopTest, evtiPerformingTest, S({"ATST"}), evtiIdle, false},
        {Op::StopTest, evtiDisconnecting, none, evtiIdle, false},

        {Op::GetMtiData, evtiNotConnected, none, evtiNotConnected, true},
        {Op::GetMtiData, evtiConnecting, none, evtiConnecting, false},
        {Op::GetMtiData, evtiIdle, S({"GMTD"}), evtiIdle, false},
        {Op::GetMtiData, evtiBusy, none, evtiBusy, true},
        {Op::GetMtiData, evtiPerformingTest, none, evtiPerformingTest, false},
        {Op::GetMtiData, evtiDisconnecting, none, evtiDisconnecting, false},

        {Op::PutMTIData, evtiNotConnected, none, evtiNotConnected, true},
        {Op::PutMTIData, evtiConnecting, none, evtiConnecting, false},
        {Op::PutMTIData, evtiIdle, S({"PMTD"}), evtiIdle, false},
        {Op::PutMTIData, evtiBusy, none, evtiBusy, true},
        {Op::PutMTIData, evtiPerformingTest, none, evtiPerformingTest, false},
        {Op::PutMTIData, evtiDisconnecting, none, evtiDisconnecting, false},

        {Op::EndRemote, evtiNotConnected, none, evtiNotConnected, false},
        {Op::EndRemote, evtiConnecting, S({"EREM"}), evtiNotConnected, false},
        {Op::EndRemote, evtiIdle, S({"EREM"}), evtiNotConnected, false},
        {Op::EndRemote, evtiBusy, S({"EREM"}), evtiNotConnected, false},
        {Op::EndRemote, evtiPerformingTest, S({"EREM"}), evtiNotConnected, false},
    };

    for (const Cell& cell : cells) {
        SCOPED_TRACE(std::string(opName(cell.op)) + " from state " + std::to_string(cell.from));
        driver = std::make_shared<CNB4410VTI>();
        runFrom(cell.from, [&] {
            const auto link = port.link;
            const size_t before = link->sent.size();
            messages.sink->shown.clear();
            const ostrel::HResult failure = failureOf([&] { invoke(*driver, cell.op); });
            EXPECT_EQ(failure, cell.fails ? eeVTI_Error : 0);
            QStringList sent;
            for (size_t i = before; i < link->sent.size(); ++i)
                sent.append(link->sent[i].name);
            EXPECT_EQ(sent, cell.sent);
            EXPECT_EQ(driver->VtiState(), cell.after);
            EXPECT_EQ(shownTexts(), cell.fails ? QStringList{k22003} : QStringList{});
        });
        driver->EndRemote();
    }
}

// EndRemote while another EndRemote waits: the state is 5 and the link still exists.
TEST_F(StateTable, EndRemoteDuringEndRemote)
{
    connect();
    int erem = 0;
    port.link->script(QStringLiteral("EREM"), {Action::callLater([&] { driver->EndRemote(); }, 10),
                                               Action::reply(QStringLiteral("erem"), {}, 100)});
    driver->EndRemote();
    for (const auto& m : port.link->sent)
        erem += m.name == QLatin1String("EREM");
    EXPECT_EQ(erem, 2);
    EXPECT_EQ(driver->VtiState(), evtiNotConnected);
    EXPECT_TRUE(port.link->closed);
    EXPECT_TRUE(messages.sink->shown.empty());
}

} // namespace
