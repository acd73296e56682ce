#pragma once
// A busy indicator: a ring of dots that turns while a test runs and stands still otherwise.
#include <QBrush>
#include <QColor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

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
    QPixmap drawFrame(int phase, const QColor& highlight, const QBrush& background, qreal ratio) const; // phase -1: standing still

    QTimer m_timer;
    int m_phase = 0;
    // The frames drawn so far (each phase, then the ring standing still) and what they were drawn for.
    std::array<QPixmap, kDots + 1> m_frames;
    QSize m_frameSize;
    QColor m_frameColour;
    QBrush m_frameBackground;
    qreal m_frameRatio = 0;
};

} // namespace ostrel
