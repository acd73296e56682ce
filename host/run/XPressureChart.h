#pragma once
// The test guide's live chart of the cuff pressure against the time since play was pressed.
// Each poll adds a sample; the chart is redrawn at most kRefreshMs apart (a redraw of the whole
// chart costs as much as dozens of polls), so a fast poll loop does not spend its time drawing. When the run ends the curve goes to the host's run context,
// which keeps it with the element.
#include "host/contract/Forward.h"
#include "host/results/PressureCurve.h"

#include <QElapsedTimer>
#include <QWidget>
#include <memory>

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace ostrel {

class XPressureChart : public QWidget {
    Q_OBJECT
public:
    static constexpr qint64 kRefreshMs = 250;

    explicit XPressureChart(QWidget* parent = nullptr);

    // Only an active chart records and shows itself (the tests whose pressure means a curve).
    void SetActive(bool active);
    bool IsActive() const { return m_active; }
    void SetElement(const std::shared_ptr<ITestElement>& element, const std::shared_ptr<IRunContext>& context);

    // A new run: the curve starts empty at time 0.
    void Start();
    void AddSample(double mmHg);
    void AddSampleAt(std::int64_t ms, double mmHg);
    // The run has ended: the chart shows all of it and the run context receives it.
    void Finish();
    // Shows a stored curve (no run).
    void ShowCurve(const PressureCurve& curve);

    const PressureCurve& Curve() const { return m_curve; }
    QLineSeries* Series() const { return m_series; }
    QChartView* View() const { return m_view; }

private:
    void refresh();

    QChartView* m_view;
    QChart* m_chart;
    QLineSeries* m_series;
    QValueAxis* m_timeAxis;
    QValueAxis* m_pressureAxis;
    PressureCurve m_curve;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceRefresh;
    std::weak_ptr<ITestElement> m_element;
    std::weak_ptr<IRunContext> m_context;
    bool m_active = false;
    bool m_running = false;
};

} // namespace ostrel
