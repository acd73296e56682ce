#pragma once
// A driver double registered in-process under the driver's program identifier: it records the
// calls, answers "GRES" from a script and can fail any call with a given number.
#include "host/core/ClassRegistry.h"
#include "plugin/tests/common/MVti.h"
#include "vti/NB4410VTI.h"

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

class FakeGlobal : public nb4410vti::_GNB4410VTI {
public:
    std::shared_ptr<nb4410vti::_CNB4410VTI> NB4410() override { return driver; }
    QString SupportedMTIVersion() override { return QStringLiteral("1.0"); }
    std::shared_ptr<FakeDriver> driver = std::make_shared<FakeDriver>();
};

// Registers a fresh fake for the life of the object.
class FakeDriverRegistration {
public:
    FakeDriverRegistration()
    {
        current() = std::make_shared<FakeGlobal>();
        ostrel::ClassRegistry::instance().RegisterLocal(QString::fromLatin1(nb4410vti::kGNB4410VTIProgId),
                                                        ostrel::ClassFactory{&create, nullptr});
        MVti::Reset();
    }
    ~FakeDriverRegistration()
    {
        ostrel::ClassRegistry::instance().UnregisterLocal(QString::fromLatin1(nb4410vti::kGNB4410VTIProgId));
        MVti::Reset();
        current().reset();
    }
    FakeDriver& driver() { return *current()->driver; }

private:
    static std::shared_ptr<FakeGlobal>& current()
    {
        static std::shared_ptr<FakeGlobal> global;
        return global;
    }
    static ostrel::ObjectPtr create() { return current(); }
};

// A "GRES" reply of the leak test: end indicator, pressure, drop and elapsed seconds.
inline ostrel::VariantArray leakReply(std::int32_t elapsedS, float drop, std::int32_t pressure = 240, bool end = false)
{
    ostrel::VariantArray reply(6);
    reply[0] = QStringLiteral("GRES");
    reply[1] = QString::number(end ? 1 : 0);
    reply[2] = QString::number(pressure);
    reply[3] = QStringLiteral("0");
    reply[4] = ostrel::numberToText(drop);
    reply[5] = QString::number(elapsedS);
    return reply;
}

} // namespace nb4410::testing
