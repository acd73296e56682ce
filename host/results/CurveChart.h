#pragma once
// A pressure curve drawn for the report: the same chart as vector paths on a QPainter (the PDF,
// the printer) and as SVG (the HTML export). Axes start at 0; seconds across, mmHg up.
#include "host/results/PressureCurve.h"

#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace ostrel {

class CurveChart {
public:
    static constexpr char kCaption[] = "Cuff pressure over time";
    // The chart's size in the report, in CSS pixels (1/96 inch).
    static constexpr int kWidthPx = 600;
    static constexpr int kHeightPx = 240;

    explicit CurveChart(PressureCurve curve);

    // Vector drawing into area (device units); fontPixels: the height of the axis labels.
    void Draw(QPainter& painter, const QRectF& area, double fontPixels) const;
    QString Svg(int width = kWidthPx, int height = kHeightPx) const;
    // The report's HTML: the caption and the chart as SVG.
    QString Html() const;

    struct Tick {
        double value = 0;
        QString label;
    };
    // Round steps from 0 to at least max, about count of them.
    static std::vector<Tick> Ticks(double max, int count);

private:
    struct Frame {
        QRectF plot;
        std::vector<Tick> xTicks; // seconds
        std::vector<Tick> yTicks; // mmHg
        double xMax = 1;
        double yMax = 1;
        double x(double seconds) const { return plot.left() + plot.width() * seconds / xMax; }
        double y(double mmHg) const { return plot.bottom() - plot.height() * mmHg / yMax; }
    };
    Frame frame(const QRectF& area, double fontPixels) const;

    PressureCurve m_curve;
};

} // namespace ostrel
