#include "CNB4410ControlPanel.h"

#include "XNB4410ControlPanel.h"
#include "host/core/ClassTable.h"
#include "host/core/Steps.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/tests/common/MVti.h"
#include "vti/NB4410VTI.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CNB4410ControlPanel", CNB4410ControlPanel)

using ostrel::runStep;

CNB4410ControlPanel::CNB4410ControlPanel() = default;

CNB4410ControlPanel::~CNB4410ControlPanel() = default;

std::shared_ptr<ostrel::IDialog> CNB4410ControlPanel::GetSetup()
{
    auto dialog = CreateDialog();
    m_dialog = std::dynamic_pointer_cast<FDialogWrapper>(dialog);
    return dialog;
}

std::shared_ptr<ostrel::IDialog> CNB4410ControlPanel::Dialog() const { return m_dialog; }

std::shared_ptr<ostrel::IDialog> CNB4410ControlPanel::CreateDialog()
{
    auto wrapper = std::make_shared<FDialogWrapper>();
    wrapper->CreateSetupCtrl(QString::fromLatin1(kControlProgId));
    mxCtrlPanel = qobject_cast<XNB4410ControlPanel*>(wrapper->Extender());
    if (mxCtrlPanel) {
        // Connected before the wrapper initialises the page, whose Initialize event asks for
        // the texts. The connections end with this panel or with the page.
        connect(mxCtrlPanel.data(),
                qOverload<QString&, QString&, QString&>(&XNB4410ControlPanel::Initialize), this,
                &CNB4410ControlPanel::mxCtrlPanel_Initialize);
        connect(mxCtrlPanel.data(), &XNB4410ControlPanel::ApplySettings, this,
                &CNB4410ControlPanel::mxCtrlPanel_ApplySettings);
    }
    wrapper->Initialize(ostrel::Variant(weak_from_this().lock()));
    return wrapper;
}

void CNB4410ControlPanel::mxCtrlPanel_Initialize(QString& sOperator, QString& sEstablishment, QString& sSerialNo)
{
    // Whoever holds this panel may let it go while the instrument is awaited.
    const ostrel::ObjectPtr keepAlive = weak_from_this().lock();
    // The texts change only when the whole record was read.
    QString sReadOperator;
    QString sReadEstablishment;
    QString sReadSerialNo;
    QString sFirmware;
    const bool read = withInstrument("read the instrument's operator record", [&](nb4410vti::_CNB4410VTI& driver) {
        driver.GetMtiData(sReadOperator, sReadEstablishment, sReadSerialNo);
        sFirmware = driver.FWVersion();
    });
    if (mxCtrlPanel)
        mxCtrlPanel->SetRecordRead(read, sFirmware);
    if (!read)
        return;
    sOperator = sReadOperator;
    sEstablishment = sReadEstablishment;
    sSerialNo = sReadSerialNo;
}

void CNB4410ControlPanel::mxCtrlPanel_ApplySettings(QString& sOperator, QString& sEstablishment, QString& sSerialNo)
{
    const ostrel::ObjectPtr keepAlive = weak_from_this().lock();
    QString sWriteOperator = sOperator;
    QString sWriteEstablishment = sEstablishment;
    QString sWriteSerialNo = sSerialNo;
    const bool stored = withInstrument("write the instrument's operator record", [&](nb4410vti::_CNB4410VTI& driver) {
        driver.PutMTIData(sWriteOperator, sWriteEstablishment, sWriteSerialNo);
    });
    if (mxCtrlPanel)
        mxCtrlPanel->ShowApplied(stored);
}

bool CNB4410ControlPanel::withInstrument(const char* step,
                                         const std::function<void(nb4410vti::_CNB4410VTI&)>& exchange)
{
    // The driver waits for replies in the event loop, where the page may call again.
    if (m_fTalking)
        return false;
    // Whoever holds this panel may let it go during that wait.
    const ostrel::ObjectPtr keepAlive = weak_from_this().lock();
    m_fTalking = true;

    bool opened = false;
    const bool done = runStep(step, [&] {
        // Only a driver with no connection is connected here: one that is connected belongs to
        // someone else (a test in progress) and its state machine answers the exchange.
        opened = MVti::Driver()->VtiState() == nb4410vti::evtiNotConnected;
        if (opened)
            MVti::Driver()->StartRemote();
        exchange(*MVti::Driver());
    });
    // Also after a failed StartRemote, which leaves the driver connecting until EndRemote.
    if (opened)
        runStep("end the remote connection", [&] { MVti::Driver()->EndRemote(); });

    m_fTalking = false;
    return done;
}

} // namespace nb4410
