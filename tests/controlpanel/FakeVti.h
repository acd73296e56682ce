#pragma once
// A driver double registered in-process under the driver's program identifier. It keeps the
// instrument's operator record, follows the driver's connection states closely enough for the
// control panel (no connection, idle, a test in progress), records every call and can fail
// one of them the way the real driver does (after "showing" its message). A hook runs inside
// the record exchanges, where the real driver lets the event loop run while it waits.
#include "tests/support/plugin/DriverRegistration.h"

#include <QStringList>
#include <functional>
#include <utility>

namespace nb4410::testing {

class FakeVti : public nb4410vti::_CNB4410VTI {
public:
    QStringList calls;
    QStringList stored{QStringLiteral("J. Doe"), QStringLiteral("Clinic"), QStringLiteral("SN-7")};
    nb4410vti::EVtiState state = nb4410vti::evtiNotConnected;
    QString failOn;             // the call that fails
    int messagesShown = 0;      // the driver's own messages
    std::function<void()> whileWaiting;

    QString FWVersion() override { return QString(); }
    QString MTIName() override { return QString(); }
    QString SerialNo() override { return QString(); }
    nb4410vti::EVtiState VtiState() override { return state; }
    ostrel::MtiDataPtr MTIData() override { return nullptr; }
    ostrel::MtiDataPtr StartRemote() override
    {
        record(QStringLiteral("StartRemote"));
        if (state != nb4410vti::evtiNotConnected)
            return nullptr;
        state = nb4410vti::evtiConnecting;
        failIfAsked(QStringLiteral("StartRemote"));
        state = nb4410vti::evtiIdle;
        return std::make_shared<ostrel::MtiData>();
    }
    void EndRemote() override
    {
        record(QStringLiteral("EndRemote"));
        state = nb4410vti::evtiNotConnected;
    }
    void StartTest(ostrel::Variant&) override { record(QStringLiteral("StartTest")); }
    void StopTest() override { record(QStringLiteral("StopTest")); }
    void GetTestResult(std::int32_t&, ostrel::Variant&) override {}
    void GetMtiData(QString& sOperator, QString& sEstabl, QString& sSerialNo) override
    {
        record(QStringLiteral("GetMtiData"));
        if (!exchangeAllowed(QStringLiteral("GetMtiData")))
            return;
        sOperator = stored.value(0);
        sEstabl = stored.value(1);
        sSerialNo = stored.value(2);
    }
    void PutMTIData(QString& sOperator, QString& sEstabl, QString& sSerialNo) override
    {
        record(QStringLiteral("PutMTIData"));
        if (exchangeAllowed(QStringLiteral("PutMTIData")))
            stored = {sOperator, sEstabl, sSerialNo};
    }

private:
    void record(const QString& name) { calls << name; }
    void failIfAsked(const QString& name)
    {
        if (failOn != name)
            return;
        ++messagesShown;
        throw ostrel::ComError(nb4410vti::eeVTI_Error, QStringLiteral("NB4410VTI.CNB4410VTI"), name + " failed");
    }
    // Whether the exchange talks to the instrument; fails as the driver's state machine does.
    bool exchangeAllowed(const QString& name)
    {
        if (state == nb4410vti::evtiNotConnected) {
            ++messagesShown;
            throw ostrel::ComError(nb4410vti::eeVTI_Error, QStringLiteral("NB4410VTI.CNB4410VTI"), "not initialised");
        }
        if (state != nb4410vti::evtiIdle)
            return false;
        if (whileWaiting) {
            auto hook = std::exchange(whileWaiting, nullptr);
            hook();
        }
        failIfAsked(name);
        return true;
    }
};

using FakeVtiRegistration = DriverRegistration<FakeVti>;

} // namespace nb4410::testing
