#pragma once
// The details pane of the test-guide window: the numbered instructions with the current steps
// highlighted, and in one place either the configuration summary or the live instrument data
// of a run (manometer pressure and elapsed time).
#include "host/core/Variant.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;

namespace ostrel {
class XPressureChart;
class XTestWizard;
} // namespace ostrel

namespace nb4410 {

class XTestDetails : public QWidget {
    Q_OBJECT
public:
    explicit XTestDetails(QWidget* parent = nullptr);

    // true: progress view (configuration summary hidden); false: configuration view.
    bool ShowProgress() const;
    void SetShowProgress(bool progress);
    // Empty or Null: general highlight off; an array starting with -1: general highlight on;
    // any other array: the 1-based steps to highlight.
    void HighlightInstruction(const ostrel::Variant& steps);
    // Instruction texts (array) and configuration information (rows of caption and value).
    void Initialize(const ostrel::Variant& instructions, const ostrel::Variant& configuration);
    // Pressure in mmHg; elapsed seconds when given (not Missing, Empty or Null).
    void ShowPerformData(std::int32_t pressure, const ostrel::Variant& elapsed = ostrel::Variant::missing());

    // "mm:ss" with whole minutes (not wrapped at an hour).
    static QString ElapsedText(std::int32_t seconds);

    ostrel::XTestWizard* Instructions() const { return m_instructions; }
    QPlainTextEdit* ConfigText() const { return m_txtConfig; }
    QLabel* ManometerResult() const { return m_lblManometerResult; }
    QLabel* TimeResult() const { return m_lblTimeResult; }
    QLabel* TimeCaption() const { return m_lblTime; }
    // Beside the manometer: the run's pressure against time (active for the tests that chart it).
    ostrel::XPressureChart* PressureChart() const { return m_chart; }

private:
    static void setTextIfChanged(QLabel* label, const QString& text);

    QPlainTextEdit* m_txtConfig;
    ostrel::XTestWizard* m_instructions;
    QFrame* m_line1;
    QWidget* m_progressPanel;
    QLabel* m_lblManometerResult;
    QLabel* m_lblTimeResult;
    QLabel* m_lblTime;
    QLabel* m_lblManometer;
    ostrel::XPressureChart* m_chart;
};

} // namespace nb4410
