#pragma once
// Ctrl+C (SIGINT), SIGTERM and SIGHUP (the terminal went away) while a run is in progress:
// instead of ending the process at once (and leaving the instrument pressurised in remote
// mode), the first signal is handed to the event loop as onStop; a second one ends the
// process as the signal would have. A signal the process ignores stays ignored. The previous
// handlers are back when the object goes.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace ostrel {

class StopSignals : public QObject {
    Q_OBJECT
public:
    StopSignals();
    ~StopSignals() override;

    std::function<void(int signal)> onStop;
    bool Stopped() const { return m_signal != 0; }
    int Signal() const { return m_signal; }
    static QString Name(int signal); // "SIGINT", "SIGTERM", "SIGHUP"

private:
    void readSignal();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr; // owned by this object as its Qt parent
    int m_signal = 0;
};

} // namespace ostrel
