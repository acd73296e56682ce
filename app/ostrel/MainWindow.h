#pragma once
// The application window: the plug-in's catalogue, the sequence (add, remove, move, rename,
// enable), the device under test, the selected element's configuration, limits and result,
// running from the first or the selected element, reports and exports, the settings, and the
// service history (each finished element written to the results database; a device's history).
#include "SequenceDocument.h"

#include <QMainWindow>
#include <memory>

class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;

namespace ostrel {

namespace history {
class ResultsHistory;
}

class DeviceHistoryView;
class ElementPanel;
class Report;
class SequenceModel;
class PlugInHost;
class StandardsCatalog;

class SimulatedMonitorPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // A signal that stopped a run ends the program with 128 plus its number, as the shell
    // reports a program the signal ended.
    static constexpr int kSignalExitBase = 128;

    // host: the loaded plug-in, or one that failed to load (the catalogue is then empty).
    explicit MainWindow(std::shared_ptr<PlugInHost> host, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a document in place of the open one; on failure says where and why and keeps the
    // open one. Load warnings are shown. Returns whether it opened.
    bool OpenFile(const QString& path);
    bool SaveFile(const QString& path);
    SequenceDocument& Document() { return *m_document; }

    void AddTest(std::int32_t testId);
    // Runs from that element; returns when the run has ended.
    void RunFrom(int index);
    // Runs that element alone; returns when it has ended.
    void RunOnly(int index);
    int SelectedIndex() const;
    void Select(int index);

    // The "Device history" view of the device under test (the window owns it; it closes itself).
    DeviceHistoryView* OpenDeviceHistory();
    history::ResultsHistory* History() const { return m_history.get(); }

    QListWidget* Catalogue() const { return m_lstCatalogue; }
    QListView* Sequence() const { return m_lstSequence; }
    SequenceModel* SequenceRows() const { return m_sequenceRows; }
    ElementPanel* Panel() const { return m_panel; }
    SimulatedMonitorPanel* MonitorPanel() const { return m_monitorPanel; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class RunScope { FromHere, ThisElementOnly };
    void run(int index, RunScope scope);
    void buildMenus();
    QWidget* buildSequencePane();
    QWidget* buildDutPane();
    void fillCatalogue();
    void fillSequence(int select);
    void refreshItem(int index);
    void showDocument();
    void updateTitle();
    void markModified();
    bool maybeSave();
    void report(const QString& text, bool error = false);
    std::shared_ptr<IStandards> resolveStandards();
    // The save dialog's answer, with the extension of the filter chosen in it; empty when cancelled.
    QString askSavePath(const QString& caption, const QString& start, const QString& filters);

    void newDocument();
    void open();
    bool save();
    bool saveAs();
    void exportReport();
    std::shared_ptr<Report> buildReport(bool failuresOnly);
    // Prints the whole report, through the print dialog or in a preview.
    void printReport(bool preview);
    void exportResults(bool json);
    void addSelectedTest();
    void removeElement();
    void moveElement(int delta);
    void renameElement();
    void enabledToggled(int index, bool enabled);
    void selectionChanged();
    void dutEdited();
    void settings();
    // Tools > "Instrument operator record...": the plug-in's page in a dialog of the window.
    void operatorRecord();
    static constexpr char kOperatorRecordProgId[] = "OstrelNB4410.CNB4410ControlPanel";
    void openHistory();
    void showOutbox();

    std::shared_ptr<PlugInHost> m_host;
    std::unique_ptr<StandardsCatalog> m_standards;
    std::unique_ptr<SequenceDocument> m_document;
    std::unique_ptr<history::ResultsHistory> m_history;
    QListWidget* m_lstCatalogue;
    QListView* m_lstSequence;
    SequenceModel* m_sequenceRows;
    ElementPanel* m_panel;
    SimulatedMonitorPanel* m_monitorPanel;
    QLineEdit* m_txtTitle;
    QLineEdit* m_txtSerial;
    QLineEdit* m_txtModel;
    QLineEdit* m_txtLocation;
    QLineEdit* m_txtTechnician;
    QList<QWidget*> m_lockedWhileRunning;
    bool m_filling = false;
    bool m_running = false;
};

} // namespace ostrel
