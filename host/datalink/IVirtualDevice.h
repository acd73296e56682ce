#pragma once
// A device that lives inside the process and is reached through a real serial path (a
// pseudo-terminal), such as the instrument simulator. The data link creates it by program
// identifier when a port's "Device" names it, so the data link never links the simulator.
#include "host/core/Object.h"

#include <QHash>
#include <QString>

namespace ostrel {

class IVirtualDevice : public virtual IObject {
public:
    // Starts serving and returns the path of the serial device a link opens. options holds
    // the port's registry values (for example "TimeScale") after the environment overrides.
    virtual QString Start(const QHash<QString, QString>& options) = 0;
    virtual void Stop() = 0;
    // Still serving the path Start returned (false after Stop, or once the device hung up).
    virtual bool Serving() const = 0;
};

using VirtualDevicePtr = std::shared_ptr<IVirtualDevice>;

} // namespace ostrel
