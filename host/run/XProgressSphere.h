#pragma once
// A busy indicator: a ring of dots that turns while a test runs and stands still otherwise.
#include <QTimer>
#include <QWidget>

namespace ostrel {

class XProgressSphere : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStepIntervalMs = 80;
    static constexpr int kDots = 12;

    explicit XProgressSphere(QWidget* parent = nullptr);

    void Start();
    void Stop();
    bool Running() const { return m_timer.isActive(); }
    int Phase() const { return m_phase; }

    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_phase = 0;
};

} // namespace ostrel
