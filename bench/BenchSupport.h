#pragma once
// What the link benchmarks share: a quiet message sink, the port that carries the simulator,
// and a leak test held running by the driver.
#include "host/core/MessageService.h"
#include "host/datalink/DataLinkRoot.h"
#include "sim/Simulator.h"
#include "vti/CNB4410VTI.h"
#include "vti/NB4410Protocol.h"

#include <QTemporaryDir>

namespace linkbench {

// Counts the messages the driver shows instead of printing them.
class QuietMessages : public ostrel::IMessageSink {
public:
    QuietMessages() : m_previous(ostrel::MessageService::instance().SetSink(std::shared_ptr<IMessageSink>(this, [](auto*) {}))) {}
    ~QuietMessages() override { ostrel::MessageService::instance().SetSink(m_previous); }
    void Show(ostrel::MessageIcon, const QString&, const QString&) override { ++shown; }
    bool Confirm(const QString&, const QString&) override { return false; }
    int shown = 0;

private:
    std::shared_ptr<IMessageSink> m_previous;
};

inline void UsePort(const QString& path)
{
    ostrel::DataLinkRoot::instance()->PortRegistry()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});
}

// A continuous leak test (duration 0) started through the driver against the simulator.
class LeakSession {
public:
    explicit LeakSession(bool pacing)
    {
        UsePort(m_simulator.Start({{QStringLiteral("Pacing"), pacing ? QStringLiteral("1") : QStringLiteral("0")},
                                   {QStringLiteral("StateFile"), m_dir.filePath(QStringLiteral("op.ini"))}}));
        m_driver->StartRemote();
        ostrel::Variant params(ostrel::VariantArray::fromTexts(
            {QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("0")}));
        m_driver->StartTest(params);
    }
    ~LeakSession()
    {
        m_driver->EndRemote();
        ostrel::DataLinkRoot::instance()->PortRegistry()->ResetPorts();
    }
    void Poll(ostrel::Variant& reply)
    {
        std::int32_t testId = nb4410::protocol::kTestLeak;
        m_driver->GetTestResult(testId, reply);
    }

private:
    QTemporaryDir m_dir;
    nb4410sim::Simulator m_simulator;
    std::shared_ptr<nb4410vti::CNB4410VTI> m_driver = std::make_shared<nb4410vti::CNB4410VTI>();
};

} // namespace linkbench
