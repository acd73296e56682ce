#include "plugin/guide/FDialogWrapper.h"

#include "host/contract/ICustomControl.h"
#include "host/core/ClassRegistry.h"
#include "host/core/Steps.h"

#include <QLabel>
#include <QVBoxLayout>

namespace nb4410 {

FDialogWrapper::FDialogWrapper()
{
    setObjectName(QStringLiteral("FDialogWrapper"));
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* layout = new QVBoxLayout(this);
    m_label1 = new QLabel(QStringLiteral("This dialog is always to be docked in another window."), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(true);
    layout->addWidget(m_label1);
    setFocusPolicy(Qt::StrongFocus);
    updateLabel();
}

FDialogWrapper::~FDialogWrapper()
{
    // Unloading releases the hosted control with the wrapper, wherever it is docked.
    delete m_extender.data();
}

std::shared_ptr<FDialogWrapper> FDialogWrapper::Open(const QString& progId, const ostrel::Variant& data)
{
    auto wrapper = std::make_shared<FDialogWrapper>();
    wrapper->CreateSetupCtrl(progId);
    wrapper->Initialize(data);
    return wrapper;
}

QWidget* FDialogWrapper::CreateSetupCtrl(const QString& progId)
{
    if (progId.isEmpty())
        return nullptr;
    ostrel::runStep("create the setup control", [&] {
        QWidget* control = ostrel::ClassRegistry::instance().CreateControl(progId, this);
        if (!control)
            return;
        delete m_extender.data();
        m_extender = control;
        layout()->addWidget(control);
        control->show();
    });
    updateLabel();
    return m_extender.data();
}

ostrel::ICustomControl* FDialogWrapper::Control() const
{
    return dynamic_cast<ostrel::ICustomControl*>(m_extender.data());
}

void FDialogWrapper::updateLabel()
{
    // The note is for a wrapper standing on its own, which is never meant to happen.
    m_label1->setVisible(!m_docked);
}

std::shared_ptr<ostrel::ICallback> FDialogWrapper::CallBack()
{
    std::shared_ptr<ostrel::ICallback> callback;
    ostrel::runStep("read the control's callback", [&] {
        if (auto* control = Control())
            callback = control->CallBack();
    });
    return callback;
}

void FDialogWrapper::SetCallBack(std::shared_ptr<ostrel::ICallback> callback)
{
    ostrel::runStep("set the control's callback", [&] {
        if (auto* control = Control())
            control->SetCallBack(callback);
    });
}

bool FDialogWrapper::Locked()
{
    bool locked = false;
    ostrel::runStep("read the control's lock", [&] {
        if (auto* control = Control())
            locked = control->Locked();
    });
    return locked;
}

void FDialogWrapper::SetLocked(bool locked)
{
    ostrel::runStep("lock the control", [&] {
        if (auto* control = Control())
            control->SetLocked(locked);
    });
}

void FDialogWrapper::Initialize(const ostrel::Variant& data)
{
    ostrel::runStep("initialise the control", [&] {
        if (auto* control = Control())
            control->Initialize(data);
    });
}

void FDialogWrapper::Hide()
{
    ostrel::runStep("hide the dialog", [&] {
        if (!m_docked)
            hide();
        else if (m_extender)
            m_extender->hide();
    });
}

void FDialogWrapper::Show(const ostrel::Variant&)
{
    ostrel::runStep("show the dialog", [&] {
        if (m_docked && m_extender)
            m_extender->show();
    });
}

void FDialogWrapper::Dock(QWidget* parentWindow)
{
    ostrel::runStep("dock the control", [&] {
        if (!parentWindow || !m_extender)
            return;
        m_extender->setParent(parentWindow);
        if (parentWindow->layout())
            parentWindow->layout()->addWidget(m_extender);
        m_extender->show();
        m_docked = true;
        updateLabel();
    });
}

void FDialogWrapper::UnDock()
{
    // The docked mark stays: a wrapper that was docked once keeps steering its control.
    ostrel::runStep("undock the control", [&] {
        if (!m_extender || m_extender->parentWidget() == this)
            return;
        m_extender->setParent(this);
        layout()->addWidget(m_extender);
        m_extender->show();
    });
}

void FDialogWrapper::Unload()
{
    ostrel::runStep("unload the dialog", [&] {
        if (m_docked)
            UnDock();
        hide();
    });
    // Unloading releases the hosted control. It goes with the next turn of the event loop, as
    // the host may unload from within one of the control's own notices; the wrapper forgets it
    // at once, so nothing reaches it any more.
    ostrel::runStep("release the control", [&] {
        if (QWidget* control = m_extender.data())
            control->deleteLater();
        m_extender.clear();
    });
    m_docked = false;
    updateLabel();
}

void FDialogWrapper::Move(float left, float top, float width, float height)
{
    ostrel::runStep("move the dialog", [&] {
        const QRect rect(qRound(left), qRound(top), qRound(width), qRound(height));
        if (!m_docked)
            setGeometry(rect);
        else if (m_extender)
            m_extender->setGeometry(rect);
    });
}

void FDialogWrapper::Refresh()
{
    ostrel::runStep("refresh the control", [&] {
        if (auto* control = Control())
            control->Refresh();
    });
}

void FDialogWrapper::SetFocus()
{
    ostrel::runStep("focus the control", [&] {
        if (auto* control = Control())
            control->SetFocus();
    });
}

void FDialogWrapper::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    SetFocus();
}

} // namespace nb4410
