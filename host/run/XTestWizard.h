#pragma once
// The instruction list of the test guide: numbered operator instructions with the current
// steps highlighted, and a general highlight state that marks the whole list as current.
#include <QWidget>
#include <vector>

class QLabel;
class QVBoxLayout;

namespace ostrel {

class XTestWizard : public QWidget {
    Q_OBJECT
public:
    explicit XTestWizard(QWidget* parent = nullptr);

    // Empty texts still take a number, so the numbering follows the caller's steps.
    void SetInstructions(const QStringList& texts);
    QStringList Instructions() const { return m_texts; }
    // Steps are 1-based; unknown numbers are ignored. Replaces the earlier highlight.
    void HighlightSteps(const std::vector<int>& steps);
    std::vector<int> HighlightedSteps() const { return m_highlighted; }
    void SetHighlight(bool on);
    bool Highlight() const { return m_highlight; }

    QLabel* StepLabel(int step) const; // 1-based; nullptr when absent

private:
    void restyle();

    QVBoxLayout* m_layout;
    QStringList m_texts;
    std::vector<QLabel*> m_labels;
    std::vector<int> m_highlighted;
    bool m_highlight = false;
};

} // namespace ostrel
