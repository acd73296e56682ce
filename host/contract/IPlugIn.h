#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

#include <QImage>

namespace ostrel {

class IPlugIn : public virtual IObject {
public:
    virtual QString ID() = 0;
    virtual QImage Icon(std::int32_t testId, std::int32_t size, const Variant& unused = Variant()) = 0; // null image: no picture
    virtual QString Name() = 0;
    virtual std::int32_t Flags() = 0;
    virtual std::shared_ptr<ISetup> Setup() = 0;
    virtual Variant ControlPanel() = 0;
    virtual std::shared_ptr<ITestList> Tests() = 0;
    virtual QString Version() = 0;
    virtual ObjectPtr PlugInMenu() = 0;
    virtual void Initialize(ObjectPtr host) = 0;
    virtual std::shared_ptr<ITestElement> CreateTest(std::int32_t testId) = 0;
    virtual ObjectPtr CreateDUTData() = 0;
};

} // namespace ostrel
