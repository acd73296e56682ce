#pragma once
// The test guide's wizard: it knows the element being performed and its run context, and
// lays out the details control above the result control inside the window it is given.
#include "host/contract/Forward.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QVBoxLayout;

namespace ostrel {

class XTestGuideWizard : public QWidget {
    Q_OBJECT
public:
    explicit XTestGuideWizard(QWidget* parent = nullptr);

    void SetElement(std::shared_ptr<ITestElement> element, std::shared_ptr<IRunContext> context);
    std::shared_ptr<ITestElement> Element() const { return m_element.lock(); }
    std::shared_ptr<IRunContext> Context() const { return m_context.lock(); }
    // Drops the references to the element and its run context.
    void Release();

    void SetDetailsControl(QWidget* details);
    void PlaceResultControl(QWidget* result);
    void SetWindow(QWidget* window);
    QWidget* Window() const { return m_window; }
    void Layout();

    QWidget* DetailsControl() const { return m_details; }
    QWidget* ResultControl() const { return m_result; }

private:
    std::weak_ptr<ITestElement> m_element;
    std::weak_ptr<IRunContext> m_context;
    QPointer<QWidget> m_details;
    QPointer<QWidget> m_result;
    QPointer<QWidget> m_window;
    QVBoxLayout* m_layout;
};

} // namespace ostrel
