#include "ScriptedLink.h"

#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/datalink/FrameDecoder.h"

namespace nb4410vti::testing {

QStringList ScriptedLink::sentNames() const
{
    QStringList names;
    for (const SentMessage& m : sent)
        names.append(m.name);
    return names;
}

void ScriptedLink::inheritFrom(ScriptedLink& old)
{
    defaultFields = old.defaultFields;
    m_script = std::move(old.m_script);
    old.m_script.clear();
}

void ScriptedLink::writeBytes(const QByteArray& frame)
{
    if (failWrites)
        ostrel::raiseDataLinkError(ostrel::kDataLinkPortFailure, QStringLiteral("write failed"));
    ostrel::FrameDecoder decoder;
    for (const ostrel::DecodedFrame& decoded : decoder.feed(frame)) {
        sent.push_back({decoded.name, decoded.fields});
        auto it = m_script.find(decoded.name);
        if (it != m_script.end() && !it->second.empty()) {
            const std::vector<Action> actions = std::move(it->second.front());
            it->second.pop_front();
            for (const Action& action : actions)
                perform(action);
        } else {
            perform(Action::reply(decoded.name.toLower(), defaultFields[decoded.name]));
        }
    }
}

void ScriptedLink::perform(const Action& action)
{
    QByteArray bytes;
    switch (action.kind) {
    case Action::Kind::Silence:
        return;
    case Action::Kind::Call:
        QTimer::singleShot(action.delayMs, this, action.call);
        return;
    case Action::Kind::FailPort:
        QTimer::singleShot(action.delayMs, this, [this] { failNow(); });
        return;
    case Action::Kind::Reply:
        bytes = ostrel::FrameCodec::encode(action.name, action.fields);
        break;
    case Action::Kind::Bytes:
        bytes = action.bytes;
        break;
    }
    QTimer::singleShot(action.delayMs, this, [this, bytes] { receiveBytes(bytes); });
}

ScriptedPort::ScriptedPort() : link(std::make_shared<ScriptedLink>())
{
    link->defaultFields[QStringLiteral("IREM")] = {QStringLiteral("4410-0042"), QStringLiteral("2.14"), QStringLiteral("NB-4410 NIBP Analyzer")};
    link->defaultFields[QStringLiteral("GMTD")] = {QStringLiteral("Ann"), QStringLiteral("Clinic"), QStringLiteral("SN-7")};
    auto ports = ostrel::DataLinkRoot::instance()->PortRegistry();
    ports->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), QStringLiteral("scripted"), {}}}});
    ports->SetOpener([this](const ostrel::PortEntry&, const ostrel::LinkSettings&) -> ostrel::LinkPtr {
        ++opens;
        if (link->closed) { // a new connection after the last one was closed
            auto next = std::make_shared<ScriptedLink>();
            next->inheritFrom(*link);
            link = next;
        }
        return link;
    });
}

ScriptedPort::~ScriptedPort()
{
    auto ports = ostrel::DataLinkRoot::instance()->PortRegistry();
    ports->SetOpener(nullptr);
    ports->ResetPorts();
}

} // namespace nb4410vti::testing
