#include "CDigitsSlider.h"

#include "plugin/editors/XConfigEditor.h"
#include "host/core/Steps.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTimer>
#include <algorithm>

namespace nb4410 {

using ostrel::runStep;

CDigitsSlider::CDigitsSlider(XConfigEditor& editor, QGridLayout& grid, int row, const Names& names,
                             const QString& caption, const QString& toolTip, const Range& range,
                             std::function<void()> typed)
    : QObject(&editor),
      m_editor(editor),
      m_typed(std::move(typed)),
      m_minimum(range.minimum),
      m_maximum(range.maximum)
{
    QWidget* frame = grid.parentWidget();
    auto* label = new QLabel(caption, frame);
    m_text = new QLineEdit(frame);
    m_slider = new QSlider(Qt::Horizontal, frame);
    label->setObjectName(names.label);
    m_text->setObjectName(names.text);
    m_slider->setObjectName(names.slider);

    m_text->setMaxLength(kTypedDigits);
    m_text->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_text));
    m_text->setToolTip(toolTip);
    m_text->installEventFilter(this);
    m_slider->setRange(range.minimum, range.maximum);
    m_slider->setSingleStep(range.smallStep);
    m_slider->setPageStep(range.largeStep);
    m_slider->setTickInterval(range.tickEvery);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setToolTip(QStringLiteral("[%1 - %2]").arg(range.minimum).arg(range.maximum));

    grid.addWidget(label, row, 0);
    grid.addWidget(m_text, row, 1);
    grid.addWidget(m_slider, row, 2);

    connect(m_text, &QLineEdit::textChanged, this, &CDigitsSlider::textChanged);
    connect(m_slider, &QSlider::valueChanged, this, &CDigitsSlider::sliderMoved);
}

void CDigitsSlider::Show(const QString& text)
{
    m_text->setMaxLength(std::max(kTypedDigits, static_cast<int>(text.size())));
    m_text->setText(text);
}

std::int32_t CDigitsSlider::Take()
{
    const int value = m_text->text().toInt();
    const int corrected = std::clamp(value, m_minimum, m_maximum);
    if (corrected != value) {
        m_text->setText(QString::number(corrected));
        m_text->selectAll();
    }
    // Typed values are three digits again, whatever was shown before.
    m_text->setMaxLength(kTypedDigits);
    return corrected;
}

void CDigitsSlider::SetLocked(bool locked)
{
    m_text->setReadOnly(locked);
    m_slider->setEnabled(!locked);
}

void CDigitsSlider::textChanged()
{
    // Correcting the box from within raises this again; that second round has nothing to add.
    if (m_textBusy)
        return;
    m_textBusy = true;
    runStep("take text", [&] {
        if (!m_editor.Initialising())
            m_typed();
        m_slider->setValue(m_text->text().toInt());
    });
    m_textBusy = false;
}

void CDigitsSlider::sliderMoved(int position)
{
    if (m_editor.Initialising())
        return;
    runStep("slider to text", [&] {
        if (m_text->text().toInt() != position)
            m_text->setText(QString::number(position));
    });
}

bool CDigitsSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_text, &QLineEdit::selectAll);
    return QObject::eventFilter(watched, event);
}

} // namespace nb4410
