#include "host/results/CurveChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

constexpr char kTimeAxis[] = "Time (s)";
constexpr char kPressureAxis[] = "Cuff pressure (mmHg)";

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

CurveChart::CurveChart(PressureCurve curve) : m_curve(std::move(curve)) {}

std::vector<CurveChart::Tick> CurveChart::Ticks(double max, int count)
{
    max = std::max(max, 1e-9);
    const double raw = max / std::max(1, count);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * magnitude;
        if (step >= raw)
            break;
    }
    std::vector<Tick> ticks;
    for (int i = 0;; ++i) {
        const double value = step * i;
        ticks.push_back({value, number(value)});
        if (value >= max - step * 1e-9)
            break;
    }
    return ticks;
}

CurveChart::Frame CurveChart::frame(const QRectF& area, double fontPixels) const
{
    Frame f;
    f.xTicks = Ticks(std::max(1.0, m_curve.DurationMs() / 1000.0), 6);
    f.yTicks = Ticks(std::max(10.0, m_curve.PeakMmHg()), 5);
    f.xMax = f.xTicks.back().value;
    f.yMax = f.yTicks.back().value;
    // Room for the pressure labels on the left, the time labels and the axis title below.
    const double left = fontPixels * 4.5;
    const double bottom = fontPixels * 3.2;
    const double top = fontPixels * 1.6;
    f.plot = QRectF(area.left() + left, area.top() + top, std::max(1.0, area.width() - left - fontPixels),
                    std::max(1.0, area.height() - top - bottom));
    return f;
}

void CurveChart::Draw(QPainter& painter, const QRectF& area, double fontPixels) const
{
    const Frame f = frame(area, fontPixels);
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(fontPixels))));
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    const double thin = std::max(0.5, fontPixels / 14);

    painter.setPen(QPen(QColor(0xd0, 0xd0, 0xd0), thin));
    for (const Tick& tick : f.yTicks)
        painter.drawLine(QLineF(f.plot.left(), f.y(tick.value), f.plot.right(), f.y(tick.value)));
    for (const Tick& tick : f.xTicks)
        painter.drawLine(QLineF(f.x(tick.value), f.plot.top(), f.x(tick.value), f.plot.bottom()));

    painter.setPen(QPen(Qt::black, thin));
    painter.drawRect(f.plot);
    for (const Tick& tick : f.yTicks)
        painter.drawText(QRectF(area.left(), f.y(tick.value) - fontPixels, f.plot.left() - area.left() - fontPixels * 0.4,
                                2 * fontPixels),
                         Qt::AlignRight | Qt::AlignVCenter, tick.label);
    for (const Tick& tick : f.xTicks)
        painter.drawText(QRectF(f.x(tick.value) - fontPixels * 3, f.plot.bottom() + fontPixels * 0.2, fontPixels * 6,
                                fontPixels * 1.4),
                         Qt::AlignHCenter | Qt::AlignTop, tick.label);
    painter.drawText(QRectF(f.plot.left(), f.plot.bottom() + fontPixels * 1.6, f.plot.width(), fontPixels * 1.5),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(kTimeAxis));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), fontPixels * 1.4), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromLatin1(kPressureAxis));

    QPainterPath path;
    for (const PressureCurve::Point& point : m_curve.Points()) {
        const QPointF at(f.x(point.ms / 1000.0), f.y(point.mmHg));
        if (path.elementCount() == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    painter.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), thin * 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

QString CurveChart::Svg(int width, int height) const
{
    const double fontPixels = 12;
    const Frame f = frame(QRectF(0, 0, width, height), fontPixels);
    const auto n = [](double value) { return QString::number(value, 'f', 1); };
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"") + QString::number(width) +
                  QStringLiteral("\" height=\"") + QString::number(height) + QStringLiteral("\" font-family=\"sans-serif\" font-size=\"") +
                  n(fontPixels) + QStringLiteral("\">\n");
    const auto line = [&](double x1, double y1, double x2, double y2, const char* colour) {
        svg += QStringLiteral("<line x1=\"") + n(x1) + QStringLiteral("\" y1=\"") + n(y1) + QStringLiteral("\" x2=\"") + n(x2) +
               QStringLiteral("\" y2=\"") + n(y2) + QStringLiteral("\" stroke=\"") + QLatin1String(colour) + QStringLiteral("\"/>\n");
    };
    const auto text = [&](double x, double y, const char* anchor, const QString& label) {
        svg += QStringLiteral("<text x=\"") + n(x) + QStringLiteral("\" y=\"") + n(y) + QStringLiteral("\" text-anchor=\"") +
               QLatin1String(anchor) + QStringLiteral("\">") + label.toHtmlEscaped() + QStringLiteral("</text>\n");
    };
    for (const Tick& tick : f.yTicks) {
        line(f.plot.left(), f.y(tick.value), f.plot.right(), f.y(tick.value), "#d0d0d0");
        text(f.plot.left() - fontPixels * 0.4, f.y(tick.value) + fontPixels * 0.35, "end", tick.label);
    }
    for (const Tick& tick : f.xTicks) {
        line(f.x(tick.value), f.plot.top(), f.x(tick.value), f.plot.bottom(), "#d0d0d0");
        text(f.x(tick.value), f.plot.bottom() + fontPixels * 1.2, "middle", tick.label);
    }
    svg += QStringLiteral("<rect x=\"") + n(f.plot.left()) + QStringLiteral("\" y=\"") + n(f.plot.top()) + QStringLiteral("\" width=\"") +
           n(f.plot.width()) + QStringLiteral("\" height=\"") + n(f.plot.height()) + QStringLiteral("\" fill=\"none\" stroke=\"black\"/>\n");
    text(f.plot.center().x(), f.plot.bottom() + fontPixels * 2.6, "middle", QString::fromLatin1(kTimeAxis));
    text(0, fontPixels, "start", QString::fromLatin1(kPressureAxis));
    QStringList points;
    for (const PressureCurve::Point& point : m_curve.Points())
        points << n(f.x(point.ms / 1000.0)) + QLatin1Char(',') + n(f.y(point.mmHg));
    svg += QStringLiteral("<polyline fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"2\" points=\"") + points.join(QLatin1Char(' ')) +
           QStringLiteral("\"/>\n</svg>\n");
    return svg;
}

QString CurveChart::Html() const
{
    return QStringLiteral("<p><b>") + QString::fromLatin1(kCaption) + QStringLiteral("</b></p>\n") + Svg();
}

} // namespace ostrel
