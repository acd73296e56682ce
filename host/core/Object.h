#pragma once
// Every host and plug-in object that crosses a library boundary derives from IObject and is
// held by std::shared_ptr. Asking an object for another of its interfaces is a checked cast.
#include <memory>

namespace ostrel {

class IObject : public std::enable_shared_from_this<IObject> {
public:
    virtual ~IObject() = default;
};

using ObjectPtr = std::shared_ptr<IObject>;

// The interface I of obj, or nullptr when obj is null or does not offer it.
template <class I, class T>
std::shared_ptr<I> query(const std::shared_ptr<T>& obj)
{
    return std::dynamic_pointer_cast<I>(obj);
}

// The interface I of obj; fails with E_NOINTERFACE when obj does not offer it.
template <class I, class T>
std::shared_ptr<I> require(const std::shared_ptr<T>& obj);

} // namespace ostrel

#include "ComError.h"

template <class I, class T>
std::shared_ptr<I> ostrel::require(const std::shared_ptr<T>& obj)
{
    auto result = std::dynamic_pointer_cast<I>(obj);
    if (!result)
        throw ComError(obj ? kE_NoInterface : kE_Pointer, QStringLiteral("ostrel"),
                       obj ? QStringLiteral("No such interface supported")
                           : QStringLiteral("Object variable not set"));
    return result;
}
