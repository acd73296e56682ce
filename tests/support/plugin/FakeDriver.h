#pragma once
// A driver double of the instrument tests: it records the calls, answers "GRES" from a script
// and can fail any call with a given number.
#include "DriverRegistration.h"

#include <QStringList>
#include <functional>

namespace nb4410::testing {

class FakeDriver : public nb4410vti::_CNB4410VTI {
public:
    // The reply to the n-th GetTestResult (0-based).
    std::function<ostrel::VariantArray(int call)> replies;
    QStringList calls;
    ostrel::Variant startParameters;
    std::int32_t lastTestType = 0;
    int polls = 0;
    QString failOn; // name of the call that fails
    ostrel::HResult failNumber = nb4410vti::eeVTI_Error;
    QString serialNo = QStringLiteral("SN-1");

    QString FWVersion() override { return QStringLiteral("1.0"); }
    QString MTIName() override { return QStringLiteral("NB-4410"); }
    QString SerialNo() override { return serialNo; }
    nb4410vti::EVtiState VtiState() override { return nb4410vti::evtiIdle; }
    ostrel::MtiDataPtr MTIData() override { return nullptr; }
    ostrel::MtiDataPtr StartRemote() override
    {
        record(QStringLiteral("StartRemote"));
        auto identity = std::make_shared<ostrel::MtiData>();
        identity->SetValues(serialNo, QStringLiteral("1.0"), QStringLiteral("NB-4410"));
        return identity;
    }
    void EndRemote() override { record(QStringLiteral("EndRemote")); }
    void StartTest(ostrel::Variant& params) override
    {
        record(QStringLiteral("StartTest"));
        startParameters = params;
    }
    void StopTest() override { record(QStringLiteral("StopTest")); }
    void GetTestResult(std::int32_t& testType, ostrel::Variant& params) override
    {
        lastTestType = testType;
        const int call = polls++;
        if (!calls.endsWith(QStringLiteral("GetTestResult")))
            calls << QStringLiteral("GetTestResult");
        if (failOn == QLatin1String("GetTestResult"))
            throw ostrel::ComError(failNumber, QStringLiteral("NB4410VTI.CNB4410VTI"), QStringLiteral("reply failed"));
        params = ostrel::Variant(replies ? replies(call) : ostrel::VariantArray(6));
    }
    void GetMtiData(QString&, QString&, QString&) override {}
    void PutMTIData(QString&, QString&, QString&) override {}

private:
    void record(const QString& name)
    {
        calls << name;
        if (failOn == name)
            throw ostrel::ComError(failNumber, QStringLiteral("NB4410VTI.CNB4410VTI"), name + QStringLiteral(" failed"));
    }
};

using FakeDriverRegistration = DriverRegistration<FakeDriver>;

} // namespace nb4410::testing
