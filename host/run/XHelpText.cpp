#include "XHelpText.h"

#include "host/core/ClassTable.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ostrel {

OSTREL_REGISTER_CONTROL("OstrelView.XHelpText", XHelpText)

XHelpText::XHelpText(QWidget* parent) : QWidget(parent), m_label(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_label->setWordWrap(true);
    m_label->setTextFormat(Qt::PlainText);
    layout->addWidget(m_label);
    layout->addStretch();
}

void XHelpText::SetText(const QString& text) { m_label->setText(text); }

QString XHelpText::Text() const { return m_label->text(); }

} // namespace ostrel
