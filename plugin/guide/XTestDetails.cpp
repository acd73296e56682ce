#include "XTestDetails.h"

#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/XPressureChart.h"
#include "host/run/XTestWizard.h"
#include "host/core/BasicNumber.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace nb4410 {

using ostrel::runStep;
using ostrel::tr4410;
using ostrel::Variant;

XTestDetails::XTestDetails(QWidget* parent)
    : QWidget(parent),
      m_txtConfig(new QPlainTextEdit(this)),
      m_instructions(new ostrel::XTestWizard(this)),
      m_line1(new QFrame(this)),
      m_progressPanel(new QWidget(this)),
      m_lblManometerResult(new QLabel(m_progressPanel)),
      m_lblTimeResult(new QLabel(m_progressPanel)),
      m_lblTime(new QLabel(tr4410(QStringLiteral("20157::Elapsed time:")), m_progressPanel)),
      m_lblManometer(new QLabel(tr4410(QStringLiteral("20150::Manometer:")), m_progressPanel)),
      m_chart(new ostrel::XPressureChart(m_progressPanel))
{
    setObjectName(QStringLiteral("xtdDetails"));
    m_txtConfig->setObjectName(QStringLiteral("txtConfig"));
    m_txtConfig->setReadOnly(true);
    m_instructions->setObjectName(QStringLiteral("xtwInstructions"));
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::HLine);
    m_lblManometerResult->setObjectName(QStringLiteral("lblManometerResult"));
    m_lblTimeResult->setObjectName(QStringLiteral("lblTimeResult"));
    m_lblTime->setObjectName(QStringLiteral("lblTime"));
    m_lblManometer->setObjectName(QStringLiteral("lblManometer"));

    QFont big = m_lblManometerResult->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    m_lblManometerResult->setFont(big);
    m_lblTimeResult->setFont(big);
    // Of the widest value's size from the start: a value of another width would move the chart
    // beside it, and a moved chart is drawn anew in full. A fixed size also spares the panel's
    // layout from being worked out again for every new value of a poll.
    const QSize valueSize = QFontMetrics(big).size(Qt::TextSingleLine, QStringLiteral("8888 mmHg"));
    m_lblManometerResult->setFixedSize(valueSize);
    m_lblTimeResult->setFixedSize(valueSize);

    auto* grid = new QGridLayout(m_progressPanel);
    grid->addWidget(m_lblManometer, 0, 0);
    grid->addWidget(m_lblManometerResult, 0, 1);
    grid->addWidget(m_lblTime, 1, 0);
    grid->addWidget(m_lblTimeResult, 1, 1);
    grid->setRowStretch(2, 1);
    grid->addWidget(m_chart, 0, 2, 3, 1);
    grid->setColumnStretch(2, 1);

    // Both views share the space below the instructions; the layout follows every resize.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_instructions);
    layout->addWidget(m_line1);
    layout->addWidget(m_txtConfig, 1);
    layout->addWidget(m_progressPanel, 1);
    m_progressPanel->hide();
    m_lblTime->hide();
    m_lblTimeResult->hide();
}

bool XTestDetails::ShowProgress() const { return m_txtConfig->isHidden(); }

void XTestDetails::SetShowProgress(bool progress)
{
    runStep("configuration view", [&] { m_txtConfig->setVisible(!progress); });
    runStep("progress view", [&] { m_progressPanel->setVisible(progress); });
}

void XTestDetails::HighlightInstruction(const Variant& steps)
{
    runStep("highlight instructions", [&] {
        if (!steps.isArray()) {
            if (steps.isEmptyOrNull() || steps.isMissing())
                m_instructions->SetHighlight(false);
            return;
        }
        const ostrel::VariantArray& items = steps.array();
        if (items.count() > 0 && items[0].val() == -1) {
            m_instructions->SetHighlight(true);
            return;
        }
        std::vector<int> numbers;
        for (const Variant& item : items.items())
            numbers.push_back(static_cast<int>(item.val()));
        m_instructions->HighlightSteps(numbers);
    });
}

void XTestDetails::Initialize(const Variant& instructions, const Variant& configuration)
{
    runStep("instruction texts", [&] {
        QStringList texts;
        if (instructions.isArray())
            for (const Variant& item : instructions.array().items())
                texts << item.text();
        m_instructions->SetInstructions(texts);
    });
    runStep("configuration summary", [&] {
        if (!configuration.isArray())
            return;
        const ostrel::VariantArray& rows = configuration.array();
        QString summary = m_txtConfig->toPlainText();
        for (int row = 0; row <= rows.upperBound(1); ++row)
            summary += rows.at(row, 0).text() + QStringLiteral("\r\n") + QString(10, QLatin1Char(' '))
                + rows.at(row, 1).text() + QStringLiteral("\r\n");
        m_txtConfig->setPlainText(summary);
    });
}

void XTestDetails::ShowPerformData(std::int32_t pressure, const Variant& elapsed)
{
    // Called on every poll: a label is touched only when its text or visibility changes, and
    // then painted by the event loop that the poll loop runs between two polls (no repaint).
    const bool timed = !(elapsed.isMissing() || elapsed.isEmptyOrNull());
    runStep("manometer", [&] { setTextIfChanged(m_lblManometerResult, QString::number(pressure) + QStringLiteral(" mmHg")); });
    runStep("pressure chart", [&] { m_chart->AddSample(pressure); });
    runStep("elapsed time", [&] {
        if (timed)
            setTextIfChanged(m_lblTimeResult, ElapsedText(ostrel::roundToLong(elapsed.val())));
    });
    runStep("time labels", [&] {
        if (m_lblTime->isHidden() == timed) {
            m_lblTimeResult->setVisible(timed);
            m_lblTime->setVisible(timed);
        }
    });
}

void XTestDetails::setTextIfChanged(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

QString XTestDetails::ElapsedText(std::int32_t seconds)
{
    return ostrel::formatNumber(seconds / 60, QStringLiteral("00")) + QLatin1Char(':')
        + ostrel::formatNumber(seconds % 60, QStringLiteral("00"));
}

} // namespace nb4410
