#include "XTestWizard.h"

#include "host/core/ClassTable.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace ostrel {

OSTREL_REGISTER_CONTROL("OstrelView.XTestWizard", XTestWizard)

XTestWizard::XTestWizard(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(4, 4, 4, 4);
    m_layout->addStretch();
}

void XTestWizard::SetInstructions(const QStringList& texts)
{
    for (QLabel* label : m_labels)
        delete label;
    m_labels.clear();
    m_texts = texts;
    m_highlighted.clear();
    for (int i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts[i], this);
        label->setObjectName(QStringLiteral("lblStep%1").arg(i + 1));
        label->setWordWrap(true);
        m_layout->insertWidget(i, label);
        m_labels.push_back(label);
    }
    restyle();
}

void XTestWizard::HighlightSteps(const std::vector<int>& steps)
{
    m_highlighted.clear();
    for (int step : steps)
        if (step >= 1 && step <= static_cast<int>(m_labels.size()))
            m_highlighted.push_back(step);
    restyle();
}

void XTestWizard::SetHighlight(bool on)
{
    m_highlight = on;
    restyle();
}

QLabel* XTestWizard::StepLabel(int step) const
{
    return step >= 1 && step <= static_cast<int>(m_labels.size()) ? m_labels[static_cast<size_t>(step - 1)] : nullptr;
}

void XTestWizard::restyle()
{
    for (int i = 0; i < static_cast<int>(m_labels.size()); ++i) {
        const bool lit = std::find(m_highlighted.begin(), m_highlighted.end(), i + 1) != m_highlighted.end();
        QFont font = m_labels[static_cast<size_t>(i)]->font();
        font.setBold(lit);
        m_labels[static_cast<size_t>(i)]->setFont(font);
        m_labels[static_cast<size_t>(i)]->setProperty("highlighted", lit);
    }
    setStyleSheet(m_highlight ? QStringLiteral("ostrel--XTestWizard { background: palette(alternate-base); }") : QString());
    setAutoFillBackground(m_highlight);
}

} // namespace ostrel
