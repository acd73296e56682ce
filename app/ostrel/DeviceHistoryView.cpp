#include "DeviceHistoryView.h"

#include "host/history/HistoryError.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace ostrel {

namespace {

QString measurementName(const history::ElementRecord& element, const history::MeasurementRecord& m)
{
    return element.name + QStringLiteral(" / ") + m.key;
}

struct Point {
    QDateTime when;
    double value = 0;
    std::optional<double> low;
    std::optional<double> high;
    QString unit;
};

} // namespace

DeviceHistoryView::DeviceHistoryView(Reader reader, const QString& serialNumber, QWidget* parent)
    : QDialog(parent),
      m_reader(std::move(reader)),
      m_txtSerial(new QLineEdit(serialNumber, this)),
      m_tblRuns(new QTableWidget(0, 5, this)),
      m_cboMeasurement(new QComboBox(this)),
      m_chtTrend(new QChartView(this)),
      m_lblStatus(new QLabel(this))
{
    setObjectName(QStringLiteral("frmDeviceHistory"));
    setWindowTitle(tr("Device history"));
    m_txtSerial->setObjectName(QStringLiteral("txtHistorySerial"));
    m_tblRuns->setObjectName(QStringLiteral("tblHistoryRuns"));
    m_cboMeasurement->setObjectName(QStringLiteral("cboHistoryMeasurement"));
    m_chtTrend->setObjectName(QStringLiteral("chtHistoryTrend"));
    m_lblStatus->setObjectName(QStringLiteral("lblHistoryStatus"));
    m_tblRuns->setHorizontalHeaderLabels({tr("Started"), tr("Verdict"), tr("Sequence"), tr("Technician"), tr("Instruments")});
    m_tblRuns->horizontalHeader()->setStretchLastSection(true);
    m_tblRuns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_chtTrend->setRenderHint(QPainter::Antialiasing);
    m_chtTrend->setMinimumHeight(260);

    auto* show = new QPushButton(tr("Show"), this);
    show->setObjectName(QStringLiteral("cmdHistoryShow"));
    connect(show, &QPushButton::clicked, this, &DeviceHistoryView::Refresh);
    connect(m_txtSerial, &QLineEdit::returnPressed, this, &DeviceHistoryView::Refresh);
    connect(m_cboMeasurement, &QComboBox::currentTextChanged, this, &DeviceHistoryView::ShowTrend);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Serial number:"), this));
    top->addWidget(m_txtSerial, 1);
    top->addWidget(show);
    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel(tr("Trend of:"), this));
    pick->addWidget(m_cboMeasurement, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tblRuns, 1);
    layout->addLayout(pick);
    layout->addWidget(m_chtTrend, 2);
    layout->addWidget(m_lblStatus);
    layout->addWidget(buttons);
    resize(760, 640);
    if (!serialNumber.isEmpty())
        Refresh();
}

void DeviceHistoryView::Refresh()
{
    m_runs.clear();
    try {
        m_runs = m_reader(m_txtSerial->text().trimmed());
        m_lblStatus->setText(tr("%n run(s)", nullptr, static_cast<int>(m_runs.size())));
    } catch (const history::HistoryError& error) {
        m_lblStatus->setText(tr("The results database cannot be read: %1").arg(error.Text()));
    }
    fillRuns();
    fillMeasurements();
}

void DeviceHistoryView::fillRuns()
{
    m_tblRuns->setRowCount(static_cast<int>(m_runs.size()));
    int row = 0;
    // Newest first: the last test is what an auditor asks for first.
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run, ++row) {
        QStringList instruments;
        for (const auto& instrument : run->run.instruments)
            instruments << QStringLiteral("%1 %2 (%3)").arg(instrument.name, instrument.serialNumber, instrument.firmware);
        const QStringList cells{run->run.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                run->run.verdict.isEmpty() ? tr("(not ended)") : run->run.verdict, run->run.title,
                                run->run.technician, instruments.join(QStringLiteral(", "))};
        for (int column = 0; column < cells.size(); ++column)
            m_tblRuns->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_tblRuns->resizeColumnsToContents();
}

QStringList DeviceHistoryView::Measurements() const
{
    QStringList names;
    for (const auto& run : m_runs)
        for (const auto& element : run.elements)
            for (const auto& m : element.measurements)
                if (m.value && !names.contains(measurementName(element, m)))
                    names << measurementName(element, m);
    return names;
}

void DeviceHistoryView::fillMeasurements()
{
    const QString previous = m_cboMeasurement->currentText();
    {
        const QSignalBlocker quiet(m_cboMeasurement);
        m_cboMeasurement->clear();
        m_cboMeasurement->addItems(Measurements());
        m_cboMeasurement->setCurrentIndex(std::max(0, m_cboMeasurement->findText(previous)));
    }
    ShowTrend(m_cboMeasurement->currentText());
}

void DeviceHistoryView::ShowTrend(const QString& measurement)
{
    std::vector<Point> points;
    for (const auto& run : m_runs)
        for (const auto& element : run.elements)
            for (const auto& m : element.measurements)
                if (m.value && measurementName(element, m) == measurement)
                    points.push_back({element.ended.isValid() ? element.ended : run.run.started, *m.value, m.limitLow, m.limitHigh, m.unit});

    auto* chart = new QChart;
    chart->setTitle(measurement);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The view owns the chart it shows but lets go of the one before without deleting it.
    const auto show = [this](QChart* next) {
        std::unique_ptr<QChart> previous(m_chtTrend->chart());
        m_chtTrend->setChart(next);
    };
    if (points.empty()) {
        show(chart);
        return;
    }
    std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.when < b.when; });
    double lowest = points.front().value;
    double highest = lowest;
    for (const auto& p : points) {
        for (const auto& v : {std::optional<double>(p.value), p.low, p.high})
            if (v) {
                lowest = std::min(lowest, *v);
                highest = std::max(highest, *v);
            }
    }
    const double margin = std::max(1.0, (highest - lowest) * 0.1);

    auto* values = new QLineSeries;
    values->setName(tr("Measured"));
    values->setPointsVisible(true);
    // The band follows the limits as they were applied at each test; an open side reaches the
    // edge of the chart.
    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    bool banded = false;
    for (const auto& p : points) {
        const qreal x = qreal(p.when.toMSecsSinceEpoch());
        values->append(x, p.value);
        if (p.low || p.high) {
            banded = true;
            upper->append(x, p.high.value_or(highest + margin));
            lower->append(x, p.low.value_or(lowest - margin));
        }
    }
    auto* axisX = new QDateTimeAxis;
    axisX->setFormat(QStringLiteral("yyyy-MM-dd"));
    axisX->setTitleText(tr("Tested"));
    auto* axisY = new QValueAxis;
    axisY->setRange(lowest - margin, highest + margin);
    axisY->setTitleText(points.back().unit);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    if (banded) {
        auto* band = new QAreaSeries(upper, lower);
        upper->setParent(band); // the band does not own its edges
        lower->setParent(band);
        band->setName(tr("Limits"));
        band->setColor(QColor(46, 160, 67, 60));
        band->setBorderColor(QColor(46, 160, 67));
        chart->addSeries(band);
        band->attachAxis(axisX);
        band->attachAxis(axisY);
    } else {
        delete upper;
        delete lower;
    }
    chart->addSeries(values);
    values->attachAxis(axisX);
    values->attachAxis(axisY);
    if (points.size() == 1)
        axisX->setRange(points.front().when.addDays(-30), points.front().when.addDays(30));
    show(chart);
}

} // namespace ostrel
