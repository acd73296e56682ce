#pragma once
// The driver library's type library: what the plug-in may know of the driver without linking
// it. The plug-in creates "OstrelNB4410vti.GNB4410VTI" through the class registry and talks to
// the driver only through these interfaces.
#include "host/core/MtiData.h"
#include "host/core/Variant.h"

namespace nb4410vti {

enum EVtiState : std::int32_t {
    evtiNotConnected = 0,
    evtiConnecting = 1,
    evtiIdle = 2,
    evtiBusy = 3,
    evtiPerformingTest = 4,
    evtiDisconnecting = 5,
};

enum EVtiErrors : std::int32_t {
    eeVTI_InvalidMsgReceived = ostrel::hr(0x8004A463u),
    eeVTI_InvalidParametersReceived = ostrel::hr(0x8004A464u),
    eeVTI_NotInitialized = ostrel::hr(0x8004A465u),
    eeVTI_Busy = ostrel::hr(0x8004A466u),
    eeVTI_ReceiveTimeout = ostrel::hr(0x8004A467u),
    eeVTI_Error = ostrel::hr(0x8004A468u),
    eeVTI_NoMtiFound = ostrel::hr(0x8004A469u),
    eeVTI_MTIError = ostrel::hr(0x8004A46Au),
};

// The link's communication errors, which the driver treats specially.
constexpr ostrel::HResult kLinkCorruptedFrame = ostrel::hr(0x8004A424u);
constexpr ostrel::HResult kLinkPortFailure = ostrel::hr(0x8004A425u);

class _CNB4410VTI : public virtual ostrel::IObject {
public:
    virtual QString FWVersion() = 0;
    virtual QString MTIName() = 0;
    virtual QString SerialNo() = 0;
    virtual EVtiState VtiState() = 0;
    virtual ostrel::MtiDataPtr MTIData() = 0;
    virtual ostrel::MtiDataPtr StartRemote() = 0;
    virtual void EndRemote() = 0;
    virtual void StartTest(ostrel::Variant& vParams) = 0;
    virtual void StopTest() = 0;
    virtual void GetTestResult(std::int32_t& iTestID, ostrel::Variant& vParams) = 0;
    virtual void GetMtiData(QString& sOperator, QString& sEstabl, QString& sSerialNo) = 0;
    virtual void PutMTIData(QString& sOperator, QString& sEstabl, QString& sSerialNo) = 0;
};

class _GNB4410VTI : public virtual ostrel::IObject {
public:
    virtual std::shared_ptr<_CNB4410VTI> NB4410() = 0;
    virtual QString SupportedMTIVersion() = 0;
};

inline constexpr const char* kGNB4410VTIProgId = "OstrelNB4410vti.GNB4410VTI";

} // namespace nb4410vti
