#pragma once
// "Device history": a device's runs from the results database and, for a measurement chosen
// from them, its values over the years as a trend with the applied limits drawn as a band, so
// a cuff that leaks a little more each year shows before it fails.
#include "host/history/HistoryRecords.h"

#include <QDialog>
#include <functional>

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace ostrel {

class DeviceHistoryView : public QDialog {
    Q_OBJECT
public:
    // Reads a device's runs; fails with a history::HistoryError when the database is away.
    using Reader = std::function<std::vector<history::HistoryRun>(const QString& serialNumber)>;

    DeviceHistoryView(Reader reader, const QString& serialNumber, QWidget* parent = nullptr);

    // Reads the device in the serial field again.
    void Refresh();
    // The measurement choices: "element name / key".
    QStringList Measurements() const;
    void ShowTrend(const QString& measurement);

    QTableWidget* Runs() const { return m_tblRuns; }
    QChartView* Chart() const { return m_chtTrend; }

private:
    void fillRuns();
    void fillMeasurements();

    Reader m_reader;
    std::vector<history::HistoryRun> m_runs;
    QLineEdit* m_txtSerial;
    QTableWidget* m_tblRuns;
    QComboBox* m_cboMeasurement;
    QChartView* m_chtTrend;
    QLabel* m_lblStatus;
};

} // namespace ostrel
