#include "WidgetTranslator.h"

#include "host/core/LanguageService.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QWidget>

namespace ostrel {

void WidgetTranslator::Translate(QWidget* root, const QString& module)
{
    if (!root)
        return;
    auto tr = [&](const QString& text) { return LanguageService::instance().Translate(module, text); };
    const auto isNumbered = &LanguageService::IsNumbered;

    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (isNumbered(w->windowTitle()))
            w->setWindowTitle(tr(w->windowTitle()));
        if (isNumbered(w->toolTip()))
            w->setToolTip(tr(w->toolTip()));
        if (auto label = qobject_cast<QLabel*>(w); label && isNumbered(label->text()))
            label->setText(tr(label->text()));
        if (auto button = qobject_cast<QAbstractButton*>(w); button && isNumbered(button->text()))
            button->setText(tr(button->text()));
        if (auto edit = qobject_cast<QLineEdit*>(w); edit && isNumbered(edit->placeholderText()))
            edit->setPlaceholderText(tr(edit->placeholderText()));
        if (auto group = qobject_cast<QGroupBox*>(w); group && isNumbered(group->title()))
            group->setTitle(tr(group->title()));
        if (auto tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (isNumbered(tabs->tabText(i)))
                    tabs->setTabText(i, tr(tabs->tabText(i)));
                if (isNumbered(tabs->tabToolTip(i)))
                    tabs->setTabToolTip(i, tr(tabs->tabToolTip(i)));
            }
        }
        for (QAction* action : w->actions()) {
            if (isNumbered(action->text()))
                action->setText(tr(action->text()));
            if (isNumbered(action->toolTip()))
                action->setToolTip(tr(action->toolTip()));
        }
    }
    // Actions that belong to the tree without being added to a widget (toolbars' own actions).
    for (QAction* action : root->findChildren<QAction*>()) {
        if (isNumbered(action->text()))
            action->setText(tr(action->text()));
        if (isNumbered(action->toolTip()))
            action->setToolTip(tr(action->toolTip()));
    }
}

} // namespace ostrel
