#pragma once
// Creation of in-process devices named by a port's "Device". The simulator lives in its own
// library, registered as "OstrelSim.Simulator"; when the class registry does not know it yet
// the library is loaded from the application folder, which registers it.
#include "IVirtualDevice.h"
#include "PortRegistry.h"

namespace ostrel {

class VirtualDevices {
public:
    static inline const QString kSimulatorProgId = QStringLiteral("OstrelSim.Simulator");
    static inline const QString kSimulatorLibrary = QStringLiteral("libnb4410sim.so");
    // Environment variables that override the port's values, so a run can change them
    // without touching the registry data.
    static inline const char* kSpeedVariable = "OSTREL_SIM_SPEED";
    static inline const char* kPacingVariable = "OSTREL_SIM_PACING";
    static inline const char* kStateVariable = "OSTREL_SIM_STATE";

    // Fails with kDataLinkOpenFailed when no simulator can be created.
    static VirtualDevicePtr Create(const PortEntry& entry);
    // The port's values with the environment's overrides ("TimeScale", "Pacing", "StateFile").
    static QHash<QString, QString> Options(const PortEntry& entry);
};

} // namespace ostrel
