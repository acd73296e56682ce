#include "XTestGuideWizard.h"

#include "host/core/ClassTable.h"

#include <QVBoxLayout>

namespace ostrel {

OSTREL_REGISTER_CONTROL("Korvu_TestGuideCtlLib.XTestGuideWizard", XTestGuideWizard)

XTestGuideWizard::XTestGuideWizard(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
}

void XTestGuideWizard::SetElement(std::shared_ptr<ITestElement> element, std::shared_ptr<IRunContext> context)
{
    m_element = element;
    m_context = context;
}

void XTestGuideWizard::Release()
{
    m_element.reset();
    m_context.reset();
}

void XTestGuideWizard::SetDetailsControl(QWidget* details) { m_details = details; }

void XTestGuideWizard::PlaceResultControl(QWidget* result) { m_result = result; }

void XTestGuideWizard::SetWindow(QWidget* window) { m_window = window; }

void XTestGuideWizard::Layout()
{
    // The details pane on top, the result list taking the remaining height.
    for (QWidget* child : {m_details.data(), m_result.data()}) {
        if (!child || m_layout->indexOf(child) >= 0)
            continue;
        child->setParent(this);
        m_layout->addWidget(child, child == m_result.data() ? 1 : 0);
        child->show();
    }
}

} // namespace ostrel
