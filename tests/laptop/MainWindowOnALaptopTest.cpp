// The window a technician works in, maximised on a 1366x768 laptop screen with the shipped
// sample sequence and the real plug-in: every control lies on the screen, no editor needs
// scrolling sideways and no caption, label, list entry or button text is cut off, for every
// element and every tab of the element panel, and in the settings.
#include "app/ostrel/ElementPanel.h"
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/SettingsDialog.h"
#include "app/ostrel/StandardsCatalog.h"
#include "host/core/AppUtil.h"
#include "host/core/ComError.h"
#include "host/results/Progress.h"
#include "tests/support/app/LoadedPlugIn.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

QString nameOf(const QWidget* widget)
{
    QString name = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        name += QLatin1Char(' ') + widget->objectName();
    return name;
}

bool insideScrollArea(const QWidget* widget, const QWidget* top)
{
    for (const QWidget* w = widget->parentWidget(); w && w != top; w = w->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(w))
            return true;
    return false;
}

// What a technician would find off the screen or cut off in the window as it is shown now.
QStringList problemsOf(QWidget* window)
{
    QStringList problems;
    const QRect screen = window->screen()->availableGeometry();
    if (!screen.contains(window->frameGeometry()))
        problems << QStringLiteral("the window (%1x%2) is larger than the screen")
                        .arg(window->frameGeometry().width())
                        .arg(window->frameGeometry().height());
    const auto cut = [&](const QWidget* w, const QString& text, int needed, int available) {
        if (needed > available)
            problems << QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(nameOf(w), text).arg(needed).arg(available);
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        if (!insideScrollArea(w, window)) {
            const QRect rect(w->mapTo(window, QPoint(0, 0)), w->size());
            if (!window->rect().contains(rect))
                problems << QStringLiteral("%1 lies outside the window").arg(nameOf(w));
        }
        const QFontMetrics metrics = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->textFormat() != Qt::RichText &&
                                                    !Qt::mightBeRichText(label->text()))
            for (const QString& line : label->text().split(QLatin1Char('\n')))
                cut(w, line, metrics.horizontalAdvance(line), label->contentsRect().width());
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            cut(w, button->text(), button->sizeHint().width(), button->width());
        if (auto* group = qobject_cast<QGroupBox*>(w); group && !group->title().isEmpty())
            cut(w, group->title(), metrics.horizontalAdvance(group->title()) + 16, group->width());
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->currentIndex() >= 0) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const QRect field =
                combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
            cut(w, combo->currentText(), metrics.horizontalAdvance(combo->currentText()), field.width());
        }
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                cut(w, tabs->tabText(i), metrics.horizontalAdvance(tabs->tabText(i)), tabs->tabRect(i).width());
        if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                cut(w, list->item(i)->text(),
                    metrics.horizontalAdvance(list->item(i)->text()) + list->iconSize().width() + 8,
                    list->viewport()->width());
        if (auto* tree = qobject_cast<QTreeWidget*>(w))
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                cut(w, tree->topLevelItem(i)->text(0), metrics.horizontalAdvance(tree->topLevelItem(i)->text(0)),
                    tree->columnWidth(0));
        if (auto* scroll = qobject_cast<QScrollArea*>(w); scroll && scroll->horizontalScrollBar()->maximum() > 0)
            problems << QStringLiteral("%1 must be scrolled sideways").arg(nameOf(w));
    }
    return problems;
}

TEST(MainWindowOnALaptop, TheScreenIsALaptops)
{
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1366, 768));
}

TEST(MainWindowOnALaptop, EveryElementAndTabFitsTheScreen)
{
    const auto host = ostrel::testing::loadedPlugIn();
    ASSERT_TRUE(host);
    MainWindow window(host);
    ASSERT_TRUE(window.OpenFile(AppPath() + QStringLiteral("samples/nibp-check.xml")));
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_GT(window.Document().Count(), 0);
    for (int element = 0; element < window.Document().Count(); ++element) {
        window.Select(element);
        for (int tab = 0; tab < window.Panel()->count(); ++tab) {
            window.Panel()->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            const QStringList problems = problemsOf(&window);
            EXPECT_TRUE(problems.isEmpty()) << "element " << element + 1 << ", tab " << tab << ":\n"
                                            << qPrintable(problems.join(QLatin1Char('\n')));
        }
    }
    // OSTREL_SCREENSHOTS=<folder> keeps a picture of the window for the documentation.
    if (const QString folder = qEnvironmentVariable("OSTREL_SCREENSHOTS"); !folder.isEmpty()) {
        window.Select(0);
        window.Panel()->setCurrentIndex(0);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/main-window-1366x768.png")));
    }
}

TEST(MainWindowOnALaptop, TheSettingsShowWholeStandardNames)
{
    StandardsCatalog standards(std::make_shared<Progress>());
    SettingsDialog dialog(standards, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QStringList problems = problemsOf(&dialog);
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

} // namespace
