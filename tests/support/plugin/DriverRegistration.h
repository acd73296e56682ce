#pragma once
// Registers a fresh driver double in-process under the driver's program identifier for the
// life of the object, so that the plug-in's shared driver access creates the double.
#include "host/core/ClassRegistry.h"
#include "plugin/tests/common/MVti.h"
#include "vti/NB4410VTI.h"

namespace nb4410::testing {

template <class TDriver>
class DriverRegistration {
public:
    DriverRegistration()
    {
        current() = std::make_shared<Global>();
        ostrel::ClassRegistry::instance().RegisterLocal(progId(), ostrel::ClassFactory{&create, nullptr});
        MVti::Reset();
    }
    ~DriverRegistration()
    {
        ostrel::ClassRegistry::instance().UnregisterLocal(progId());
        MVti::Reset();
        current().reset();
    }
    DriverRegistration(const DriverRegistration&) = delete;
    DriverRegistration& operator=(const DriverRegistration&) = delete;

    TDriver& driver() { return *current()->driver; }

private:
    class Global : public nb4410vti::_GNB4410VTI {
    public:
        std::shared_ptr<nb4410vti::_CNB4410VTI> NB4410() override { return driver; }
        QString SupportedMTIVersion() override { return QStringLiteral("1.0"); }
        std::shared_ptr<TDriver> driver = std::make_shared<TDriver>();
    };

    static QString progId() { return QString::fromLatin1(nb4410vti::kGNB4410VTIProgId); }
    static std::shared_ptr<Global>& current()
    {
        static std::shared_ptr<Global> global;
        return global;
    }
    static ostrel::ObjectPtr create() { return current(); }
};

} // namespace nb4410::testing
