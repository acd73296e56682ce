#include "ReadingEntry.h"

#include "host/core/Variant.h"
#include "host/core/BasicNumber.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeWidget>

namespace ostrel {

namespace {
const QString kList = QStringLiteral("lvwResult");
const QString kEdit = QStringLiteral("txtEdit");

QTreeWidget* listOf(QWidget* window)
{
    if (!window)
        return nullptr;
    for (auto* list : window->findChildren<QTreeWidget*>(kList))
        if (list->findChild<QLineEdit*>(kEdit))
            return list;
    return nullptr;
}

QString keyOf(const QTreeWidgetItem* row)
{
    return row->data(0, Qt::UserRole).toString();
}
} // namespace

bool ReadingEntry::HasReadingView(QWidget* window)
{
    return listOf(window) != nullptr;
}

std::optional<double> ReadingEntry::ReadingOf(const QString& key, const nb4410sim::MonitorDisplayState& display)
{
    if (key == QLatin1String("SYST"))
        return display.systolicMmHg;
    if (key == QLatin1String("DIAS"))
        return display.diastolicMmHg;
    if (key == QLatin1String("MAPR"))
        return display.mapMmHg;
    if (key == QLatin1String("HART"))
        return display.heartRateBpm;
    return std::nullopt;
}

bool ReadingEntry::TypeReadings(QWidget* window, const nb4410sim::MonitorDisplayState& display, QString* problem)
{
    const auto fail = [&](const QString& why) {
        if (problem)
            *problem = why;
        return false;
    };
    QTreeWidget* list = listOf(window);
    if (!list)
        return fail(QStringLiteral("the test guide has no result view to type the readings into"));
    auto* edit = list->findChild<QLineEdit*>(kEdit);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        const std::optional<double> reading = ReadingOf(keyOf(row), display);
        if (!reading)
            return fail(QStringLiteral("the monitor shows no reading for \"%1\"").arg(row->text(0)));
        if (!editRow(list, edit, row))
            return fail(QStringLiteral("the reading of \"%1\" could not be edited").arg(row->text(0)));
        // Replaces whatever the box holds, as typing over a selection does.
        edit->selectAll();
        typeText(edit, numberToText(*reading));
        typeKey(edit, Qt::Key_Return);
    }
    return true;
}

bool ReadingEntry::editRow(QTreeWidget* list, QLineEdit* edit, QTreeWidgetItem* row)
{
    if (list->currentItem() == row && !edit->isHidden())
        return true;
    // Otherwise the technician clicks the row's value cell.
    list->scrollToItem(row);
    // The typed reading is the last column.
    const QRect cell = list->visualRect(list->indexFromItem(row, list->columnCount() - 1));
    if (cell.isValid())
        click(list->viewport(), cell.center());
    return list->currentItem() == row && !edit->isHidden();
}

void ReadingEntry::click(QWidget* target, const QPoint& at)
{
    const QPointF local(at);
    const QPointF global(target->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void ReadingEntry::typeText(QLineEdit* edit, const QString& text)
{
    // Key codes of printable ASCII characters are their upper-case codes.
    for (const QChar c : text)
        typeKey(edit, c.toUpper().unicode(), QString(c));
}

void ReadingEntry::typeKey(QLineEdit* edit, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &release);
}

} // namespace ostrel
