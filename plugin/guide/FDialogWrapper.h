#pragma once
// Turns a plug-in user control into a host dialog: the host docks the wrapper's control into a
// window of its own and moves, shows, hides and unloads it through IDialog. The wrapper is
// owned by a shared_ptr; the hosted control by its Qt parent (the wrapper, or the host window it
// is docked into, which may destroy it).
#include "host/contract/IDialog.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace ostrel {
class ICustomControl;
}

namespace nb4410 {

class FDialogWrapper : public QWidget, public ostrel::IDialog {
    Q_OBJECT
public:
    static constexpr char kCaption[] = "CTestGroup setup";

    FDialogWrapper();
    ~FDialogWrapper() override;

    // Creates the control of that program identifier inside the wrapper; returns its widget (the
    // extender), nullptr when the identifier is empty or no control could be made.
    QWidget* CreateSetupCtrl(const QString& progId);
    // The dialog every configuration and result hands the host: a wrapper holding the control
    // of progId, initialised with data.
    static std::shared_ptr<FDialogWrapper> Open(const QString& progId, const ostrel::Variant& data);
    ostrel::ICustomControl* Control() const; // nullptr when none is hosted (or it was destroyed)
    QWidget* Extender() const { return m_extender.data(); }

    // IDialog; every member ignores failures.
    std::shared_ptr<ostrel::ICallback> CallBack() override;
    void SetCallBack(std::shared_ptr<ostrel::ICallback> callback) override;
    bool IsDocked() override { return m_docked; }
    bool Locked() override;
    void SetLocked(bool locked) override;
    void Initialize(const ostrel::Variant& data) override;
    void Hide() override;
    void Show(const ostrel::Variant& unused = ostrel::Variant()) override;
    void Dock(QWidget* parentWindow) override;
    void UnDock() override;
    void Unload() override;
    void Move(float left, float top, float width, float height) override; // pixels of the parent
    void Refresh() override;
    void SetFocus() override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void updateLabel();

    QLabel* m_label1;
    QPointer<QWidget> m_extender;
    bool m_docked = false;
};

using DialogWrapperPtr = std::shared_ptr<FDialogWrapper>;

} // namespace nb4410
