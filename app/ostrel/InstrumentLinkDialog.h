#pragma once
// Tools > "Instrument link": the serial ports the machine has (with their USB description),
// the port configured for the NB-4410, the identity the instrument reported last and the
// counters of the links closed since the program started. Every test element opens the port
// anew, so an adapter unplugged and plugged back is used again without a restart; Refresh
// lists the ports as they are now.
#include <QDialog>

class QLabel;
class QTableWidget;

namespace ostrel {

class InstrumentLinkDialog : public QDialog {
    Q_OBJECT
public:
    explicit InstrumentLinkDialog(QWidget* parent = nullptr);

    void Refresh();

private:
    QTableWidget* m_tblPorts;
    QLabel* m_lblConfigured;
    QLabel* m_lblIdentity;
    QLabel* m_lblCounters;
};

} // namespace ostrel
