#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

namespace ostrel {

// A plug-in dialog as the host sees it (the dialog wrapper). Owned by shared_ptr; the hosted
// control's widget is reparented into the host's window by Dock.
class IDialog : public virtual IObject {
public:
    virtual std::shared_ptr<ICallback> CallBack() = 0;
    virtual void SetCallBack(std::shared_ptr<ICallback> callback) = 0;
    virtual bool IsDocked() = 0;
    virtual bool Locked() = 0;
    virtual void SetLocked(bool locked) = 0;
    virtual void Initialize(const Variant& data) = 0;
    virtual void Hide() = 0;
    virtual void Show(const Variant& unused = Variant()) = 0;
    virtual void Dock(QWidget* parentWindow) = 0; // nullptr stands for the handle 0
    virtual void UnDock() = 0;
    virtual void Unload() = 0;
    virtual void Move(float left, float top, float width, float height) = 0;
    virtual void Refresh() = 0;
    virtual void SetFocus() = 0;
};

using DialogPtr = std::shared_ptr<IDialog>;

} // namespace ostrel
