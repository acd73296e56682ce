#pragma once
// A stand-in test-guide window for operators without hands: its buttons are actions keyed as
// the real window's ("play", "stop", "next", ...), it tells the test-guide service when it
// opens, changes and closes, and a press of an enabled button goes to onPress.
#include "host/contract/ITestGuide.h"
#include "host/run/TestGuideService.h"

#include <QAction>
#include <QDialog>
#include <QHash>
#include <QToolBar>
#include <QVBoxLayout>
#include <functional>

namespace ostrel::testing {

class FakeGuideWindow : public QDialog, public ITestGuide {
public:
    explicit FakeGuideWindow(const QStringList& keys)
    {
        setWindowTitle(QStringLiteral("TEST GUIDE"));
        m_layout = new QVBoxLayout(this);
        auto* toolbar = new QToolBar(this);
        m_layout->addWidget(toolbar);
        for (const QString& key : keys) {
            QAction* action = toolbar->addAction(key);
            m_buttons.insert(key, action);
            connect(action, &QAction::triggered, this, [this, key] { Press(key); });
            connect(action, &QAction::changed, this, [this] { TestGuideService::instance().GuideChanged(*this); });
        }
        if (QAction* play = Button(QString::fromLatin1(TestGuideButton::kPlay)))
            play->setCheckable(true);
    }
    ~FakeGuideWindow() override { TestGuideService::instance().GuideClosed(*this); }

    QAction* Button(const QString& key) const { return m_buttons.value(key); }
    QVBoxLayout* Layout() const { return m_layout; }

    void Press(const QString& key) override
    {
        if (IsEnabled(key) && onPress)
            onPress(key);
    }
    bool IsEnabled(const QString& key) const override
    {
        QAction* action = Button(key);
        return action && action->isEnabled();
    }
    bool IsRunning() const override
    {
        QAction* play = Button(QString::fromLatin1(TestGuideButton::kPlay));
        return play && play->isChecked();
    }
    QWidget* Window() override { return this; }

    std::function<void(const QString&)> onPress;

protected:
    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        TestGuideService::instance().GuideOpened(*this);
    }
    void hideEvent(QHideEvent* event) override
    {
        TestGuideService::instance().GuideClosed(*this);
        QDialog::hideEvent(event);
    }

private:
    QVBoxLayout* m_layout;
    QHash<QString, QAction*> m_buttons;
};

} // namespace ostrel::testing
