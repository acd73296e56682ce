#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

namespace ostrel {

// A user control of a plug-in (editor, view). Controls are QWidgets owned by their Qt parent;
// this interface is reached from the widget by dynamic_cast and never owns anything.
class ICustomControl {
public:
    virtual ~ICustomControl() = default;
    virtual std::shared_ptr<ICallback> CallBack() = 0;
    virtual void SetCallBack(std::shared_ptr<ICallback> callback) = 0;
    virtual QWidget* hWnd() = 0;
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Locked() = 0;
    virtual void SetLocked(bool locked) = 0;
    virtual void Initialize(const Variant& data) = 0;
    virtual void Refresh() = 0;
    virtual void SetFocus() = 0;
};

} // namespace ostrel
