#include "host/run/XPressureChart.h"

#include "host/results/CurveChart.h"
#include "host/run/RunContext.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

namespace ostrel {

namespace {
// The axes grow in round steps, so they do not move with every sample.
double roundedMax(double value, double least)
{
    return CurveChart::Ticks(std::max(value * 1.15, least), 5).back().value;
}
} // namespace

XPressureChart::XPressureChart(QWidget* parent)
    : QWidget(parent),
      m_view(new QChartView(this)),
      m_chart(new QChart),
      m_series(new QLineSeries(m_chart)),
      m_timeAxis(new QValueAxis(m_chart)),
      m_pressureAxis(new QValueAxis(m_chart))
{
    setObjectName(QStringLiteral("xpcPressure"));
    m_view->setObjectName(QStringLiteral("chvPressure"));
    m_chart->legend()->hide();
    m_chart->setMargins(QMargins(2, 2, 2, 2));
    m_chart->setBackgroundRoundness(0);
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->addSeries(m_series);
    m_timeAxis->setTitleText(QStringLiteral("s"));
    m_timeAxis->setLabelFormat(QStringLiteral("%g"));
    m_pressureAxis->setTitleText(QStringLiteral("mmHg"));
    m_pressureAxis->setLabelFormat(QStringLiteral("%g"));
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_pressureAxis, Qt::AlignLeft);
    m_series->attachAxis(m_timeAxis);
    m_series->attachAxis(m_pressureAxis);
    m_view->setChart(m_chart); // the view owns the chart
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(300, 170);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    ShowCurve(PressureCurve());
    hide();
}

void XPressureChart::SetActive(bool active)
{
    m_active = active;
    if (!active)
        hide();
}

void XPressureChart::SetElement(const std::shared_ptr<ITestElement>& element, const std::shared_ptr<IRunContext>& context)
{
    m_element = element;
    m_context = context;
}

void XPressureChart::Start()
{
    if (!m_active)
        return;
    m_running = true;
    m_curve.Clear();
    m_clock.start();
    m_sinceRefresh.invalidate();
    refresh();
    show();
}

void XPressureChart::AddSample(double mmHg)
{
    if (m_running)
        AddSampleAt(m_clock.elapsed(), mmHg);
}

void XPressureChart::AddSampleAt(std::int64_t ms, double mmHg)
{
    if (!m_active)
        return;
    m_curve.Add(ms, mmHg);
    // The first points show at once, so a run is seen to have begun.
    if (m_series->count() < 2 || !m_sinceRefresh.isValid() || m_sinceRefresh.elapsed() >= kRefreshMs)
        refresh();
}

void XPressureChart::Finish()
{
    if (!m_running)
        return;
    m_running = false;
    refresh();
    if (auto context = std::dynamic_pointer_cast<RunContext>(m_context.lock()))
        context->RunCurve(m_element.lock(), m_curve);
}

void XPressureChart::ShowCurve(const PressureCurve& curve)
{
    m_curve = curve;
    refresh();
}

void XPressureChart::refresh()
{
    m_sinceRefresh.start();
    const auto pointAt = [this](std::size_t i) {
        const PressureCurve::Point& point = m_curve.Points()[i];
        return QPointF(point.ms / 1000.0, point.mmHg);
    };
    const std::size_t count = m_curve.Points().size();
    const auto shown = static_cast<std::size_t>(m_series->count());
    // Only the last shown point may have moved since the last refresh, unless the curve was
    // thinned. The series lays out all its points again on every change it is told of, so
    // one changed point is told alone and more than one go in a single replacement.
    const bool prefixKept = shown >= 2 && count >= shown && m_series->at(static_cast<int>(shown - 2)) == pointAt(shown - 2);
    const bool lastMoved = prefixKept && m_series->at(static_cast<int>(shown - 1)) != pointAt(shown - 1);
    const std::size_t changes = prefixKept ? (lastMoved ? 1 : 0) + (count - shown) : 0;
    if (prefixKept && changes == 1 && lastMoved) {
        m_series->replace(static_cast<int>(shown - 1), pointAt(shown - 1));
    } else if (prefixKept && changes == 1) {
        m_series->append(pointAt(shown));
    } else if (!prefixKept || changes > 1) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(count));
        for (std::size_t i = 0; i < count; ++i)
            points.append(pointAt(i));
        m_series->replace(points);
    }
    const double timeMax = roundedMax(m_curve.DurationMs() / 1000.0, 10);
    const double pressureMax = roundedMax(m_curve.PeakMmHg(), 50);
    if (m_timeAxis->max() != timeMax || m_timeAxis->min() != 0)
        m_timeAxis->setRange(0, timeMax);
    if (m_pressureAxis->max() != pressureMax || m_pressureAxis->min() != 0)
        m_pressureAxis->setRange(0, pressureMax);
}

} // namespace ostrel
