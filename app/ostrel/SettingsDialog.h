#pragma once
// Settings: which serial port carries the NB-4410 (the ports the system lists, or the built-in
// simulator; written to the registry store's port map), the language, and the standards
// selected for the open sequence, and the results database of the service history.
#include "DeviceUnderTest.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QDoubleSpinBox;
class QListWidget;

namespace ostrel {

class SequenceDocument;
class ResultsDatabasePage;
class StandardsCatalog;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr char kInstrument[] = "NB-4410";

    // With a document, the standards its elements carry are offered beside the library's.
    SettingsDialog(const StandardsCatalog& standards, const QList<StandardRef>& selection, QWidget* parent = nullptr,
                   const SequenceDocument* document = nullptr);

    QList<StandardRef> SelectedStandards() const;
    QString Device() const;   // "simulator" or the serial device path
    QString Language() const; // "" for the default texts
    // How many times faster than real time the built-in simulator runs (1: real time).
    double SimulatorSpeed() const;
    QDoubleSpinBox* SimulatorSpeedBox() const { return m_spnSimSpeed; }

    // Writes the port, the language and the results database; the standards are the caller's
    // (they belong to the sequence).
    void Apply() const;

    // The device the registry store's port map gives the instrument ("" when it has no port).
    static QString CurrentDevice();
    static void WriteDevice(const QString& device);
    // The simulator's speed stored with the instrument's port ("TimeScale"; 1 when none).
    static double CurrentSimulatorSpeed();
    static void WriteSimulatorSpeed(double speed);

    ResultsDatabasePage* DatabasePage() const { return m_pagDatabase; }

private:
    QComboBox* m_cboPort;
    QComboBox* m_cboLanguage;
    QDoubleSpinBox* m_spnSimSpeed;
    QListWidget* m_lstStandards;
    ResultsDatabasePage* m_pagDatabase;
};

} // namespace ostrel
