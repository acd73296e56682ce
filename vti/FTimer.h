#pragma once
// The reply time-out timer. Writing Interval restarts the count; writing 0 stops it. Each
// expiry raises Timer.
#include <QObject>
#include <QTimer>

namespace nb4410vti {

class FTimer : public QObject {
    Q_OBJECT
public:
    explicit FTimer(QObject* parent = nullptr);

    std::int32_t Interval() const { return m_intervalMs; }
    void setInterval(std::int32_t intervalMs);

signals:
    void Timer();

private:
    QTimer tmrTimer;
    std::int32_t m_intervalMs = 0;
};

} // namespace nb4410vti
