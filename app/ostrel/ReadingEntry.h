#pragma once
// Types the readings a patient monitor displays into a blood-pressure result view, as a
// technician does: the view's list "lvwResult" holds one row per reading, keyed by its
// measurement key, and its edit box "txtEdit" takes the keystrokes of the row being edited;
// Return moves on to the next row.
#include "sim/IMonitorDisplay.h"

#include <QString>
#include <optional>

class QLineEdit;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace ostrel {

class ReadingEntry {
public:
    // The result view's list and edit box inside window; false when it has no such view.
    static bool HasReadingView(QWidget* window);
    // The reading the display shows for a measurement key ("SYST", "DIAS", "MAPR", "HART").
    static std::optional<double> ReadingOf(const QString& key, const nb4410sim::MonitorDisplayState& display);
    // Types every row's reading; false, with the reason, when a row could not be filled.
    static bool TypeReadings(QWidget* window, const nb4410sim::MonitorDisplayState& display, QString* problem);

private:
    static bool editRow(QTreeWidget* list, QLineEdit* edit, QTreeWidgetItem* row);
    static void click(QWidget* target, const QPoint& at);
    static void typeText(QLineEdit* edit, const QString& text);
    static void typeKey(QLineEdit* edit, int key, const QString& text = QString());
};

} // namespace ostrel
