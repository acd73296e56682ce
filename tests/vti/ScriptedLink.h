#pragma once
// A data link whose far end is a script: each command sent is answered by the next action
// queued for its name, or by the default reply (the name in lower case, no parameters). The
// bytes go through the real framing in both directions.
#include "host/datalink/FrameCodec.h"
#include "host/datalink/Link.h"
#include "host/datalink/PortRegistry.h"

#include <QTimer>
#include <deque>
#include <map>

namespace nb4410vti::testing {

struct SentMessage {
    QString name;
    QStringList fields;
};

struct Action {
    enum class Kind { Reply, Bytes, Silence, FailPort, Call };
    Kind kind = Kind::Reply;
    QString name;
    QStringList fields;
    QByteArray bytes;
    int delayMs = 0;
    std::function<void()> call;

    static Action reply(QString name, QStringList fields = {}, int delayMs = 0)
    {
        return Action{Kind::Reply, std::move(name), std::move(fields), {}, delayMs, {}};
    }
    static Action errm(const QString& operation, int code, const QString& text)
    {
        return reply(QStringLiteral("ERRM"), {operation, QString::number(code), text});
    }
    static Action bytesOf(QByteArray bytes, int delayMs = 0) { return Action{Kind::Bytes, {}, {}, std::move(bytes), delayMs, {}}; }
    static Action silence() { return Action{Kind::Silence}; }
    static Action failPort(int delayMs = 0) { return Action{Kind::FailPort, {}, {}, {}, delayMs, {}}; }
    // Runs fn (for example a call into the driver) delayMs after the command, and does not reply.
    static Action callLater(std::function<void()> fn, int delayMs) { return Action{Kind::Call, {}, {}, {}, delayMs, std::move(fn)}; }
};

class ScriptedLink : public ostrel::Link {
public:
    // Actions for one command, used in order; several actions may answer one command.
    void script(const QString& command, std::vector<Action> actions) { m_script[command].push_back(std::move(actions)); }
    void failNow() { failPort(QStringLiteral("cable pulled")); }

    std::vector<SentMessage> sent;
    bool closed = false;
    bool failWrites = false;
    std::map<QString, QStringList> defaultFields;

    QStringList sentNames() const;
    // A new connection of the same port: the defaults and the actions not used yet carry over.
    void inheritFrom(ScriptedLink& old);

protected:
    void writeBytes(const QByteArray& frame) override;
    void closeTransport() override { closed = true; }

private:
    void perform(const Action& action);
    std::map<QString, std::deque<std::vector<Action>>> m_script;
};

// Puts a ScriptedLink behind port 1 ("NB-4410") of the thread's port registry while it lives.
class ScriptedPort {
public:
    ScriptedPort();
    ~ScriptedPort();
    // The link of the latest open; created before the open so that it can be scripted first.
    std::shared_ptr<ScriptedLink> link;
    int opens = 0;
};

} // namespace nb4410vti::testing
