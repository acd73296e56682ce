#pragma once
// The display of the simulated patient monitor, for training and demonstrations: while the
// built-in simulator is the instrument, the technician reads here what a real monitor would
// show. The only place of the application that reads the simulator's monitor display; with
// real equipment (no such class) the panel says so.
#include <QFrame>
#include <QTimer>
#include <memory>

class QLabel;

namespace nb4410sim {
class IMonitorDisplay;
}

namespace ostrel {

class SimulatedMonitorPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 250;

    explicit SimulatedMonitorPanel(QWidget* parent = nullptr);
    ~SimulatedMonitorPanel() override;

    // Shown (and refreshing) only while the simulator is the instrument.
    void SetSimulatorInUse(bool inUse);
    // Reads the display now.
    void Refresh();
    QString Text() const;

private:
    std::shared_ptr<nb4410sim::IMonitorDisplay> display();

    QLabel* m_lblDisplay;
    QTimer m_timer;
    std::shared_ptr<nb4410sim::IMonitorDisplay> m_display;
};

} // namespace ostrel
