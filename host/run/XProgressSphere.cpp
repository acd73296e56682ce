#include "XProgressSphere.h"

#include "host/core/ClassTable.h"

#include <QPainter>
#include <QtMath>

namespace ostrel {

OSTREL_REGISTER_CONTROL("OstrelView.XProgressSphere", XProgressSphere)

XProgressSphere::XProgressSphere(QWidget* parent) : QWidget(parent)
{
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
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const double radius = side / 2.0 - side / 8.0;
    const QPointF centre(width() / 2.0, height() / 2.0);
    for (int i = 0; i < kDots; ++i) {
        const double angle = 2.0 * M_PI * i / kDots;
        // The dot at the phase is the brightest; the others fade behind it while running.
        const int age = (m_phase - i + kDots) % kDots;
        QColor colour = palette().color(QPalette::Highlight);
        colour.setAlphaF(Running() ? 1.0 - 0.07 * age : 0.35);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        const QPointF dot(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        painter.drawEllipse(dot, side / 14.0, side / 14.0);
    }
}

} // namespace ostrel
