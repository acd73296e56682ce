#include "XProgressSphere.h"

#include "host/core/ClassTable.h"

#include <QPainter>
#include <QtMath>

namespace ostrel {

OSTREL_REGISTER_CONTROL("OstrelView.XProgressSphere", XProgressSphere)

XProgressSphere::XProgressSphere(QWidget* parent) : QWidget(parent)
{
    // It turns about twelve times a second while a test runs: it paints its own background,
    // so what lies beneath is not painted again with it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setInterval(kStepIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_phase = (m_phase + 1) % kDots;
        update();
    });
}

void XProgressSphere::Start()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void XProgressSphere::Stop()
{
    m_timer.stop();
    update();
}

void XProgressSphere::paintEvent(QPaintEvent* /*event*/)
{
    // A frame is drawn once for each phase at this size and colour, then copied: the ring
    // turns about twelve times a second for as long as a test runs.
    const QColor highlight = palette().color(QPalette::Highlight);
    const QBrush background = palette().brush(backgroundRole());
    const qreal ratio = devicePixelRatioF();
    if (m_frameSize != size() || m_frameColour != highlight || m_frameBackground != background || m_frameRatio != ratio) {
        for (QPixmap& frame : m_frames)
            frame = QPixmap();
        m_frameSize = size();
        m_frameColour = highlight;
        m_frameBackground = background;
        m_frameRatio = ratio;
    }
    // The frames of a running ring, one for each phase, and one more for the ring standing still.
    const int index = Running() ? m_phase : kDots;
    QPixmap& frame = m_frames[static_cast<size_t>(index)];
    if (frame.isNull())
        frame = drawFrame(index == kDots ? -1 : index, highlight, background, ratio);
    QPainter painter(this);
    painter.drawPixmap(0, 0, frame);
}

QPixmap XProgressSphere::drawFrame(int phase, const QColor& highlight, const QBrush& background, qreal ratio) const
{
    QPixmap frame(size() * ratio);
    frame.setDevicePixelRatio(ratio);
    QPainter painter(&frame);
    painter.fillRect(rect(), background);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const double radius = side / 2.0 - side / 8.0;
    const QPointF centre(width() / 2.0, height() / 2.0);
    for (int i = 0; i < kDots; ++i) {
        const double angle = 2.0 * M_PI * i / kDots;
        // The dot at the phase is the brightest; the others fade behind it while running.
        const int age = (phase - i + kDots) % kDots;
        QColor colour = highlight;
        colour.setAlphaF(phase >= 0 ? 1.0 - 0.07 * age : 0.35);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        const QPointF dot(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        painter.drawEllipse(dot, side / 14.0, side / 14.0);
    }
    return frame;
}

} // namespace ostrel
