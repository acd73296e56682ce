#pragma once
// The host's callback object given to plug-in dialogs: passes each notification to a function.
#include "host/contract/ICallback.h"

#include <functional>

namespace ostrel {

class CallbackRelay : public ICallback {
public:
    using Handler = std::function<void(const QString& eventName, const Variant& params)>;
    explicit CallbackRelay(Handler handler) : m_handler(std::move(handler)) {}
    void Notify(const QString& eventName, const Variant& params) override
    {
        if (m_handler)
            m_handler(eventName, params);
    }

private:
    Handler m_handler;
};

} // namespace ostrel
