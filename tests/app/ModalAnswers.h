#pragma once
// Answers the modal dialogs a window opens, in order, as the technician would: each step is
// handed the dialog in front once its own event loop runs. Steps left over when the guard goes
// are a failure of the test, never a hang: a dialog nobody answers is rejected.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace ostrel::testing {

class ModalAnswers {
public:
    using Step = std::function<void(QWidget* modal)>;

    explicit ModalAnswers(std::deque<Step> steps) : m_steps(std::move(steps)) { schedule(); }
    ~ModalAnswers() { *m_alive = false; }
    ModalAnswers(const ModalAnswers&) = delete;
    ModalAnswers& operator=(const ModalAnswers&) = delete;

    bool AllAnswered() const { return m_steps.empty(); }

private:
    void schedule()
    {
        QTimer::singleShot(0, [this, alive = m_alive] {
            if (*alive)
                answer();
        });
    }
    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        // The dialog answered last may still be closing: wait for the next one's loop.
        if (!modal || modal == m_last) {
            if (!m_steps.empty())
                schedule();
            return;
        }
        m_last = modal;
        if (m_steps.empty()) {
            ADD_FAILURE() << "an unexpected dialog: " << qPrintable(modal->windowTitle());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (!m_steps.empty())
            schedule();
        step(modal);
        // A step that failed must not leave its dialog waiting for an answer.
        if (::testing::Test::HasFatalFailure() && QApplication::activeModalWidget() == modal)
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
    }

    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace ostrel::testing
