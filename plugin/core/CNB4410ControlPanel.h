#pragma once
// The plug-in's settings page for the instrument's operator record (operator, establishment,
// serial number), as the host sees it through ISetup. The page's dialog is the dialog wrapper
// hosting XNB4410ControlPanel.
//
// The page talks to the instrument: when it opens, the fields are filled from the record the
// instrument stores (StartRemote, GetMtiData, EndRemote), and Apply writes the fields back
// (StartRemote, PutMTIData, EndRemote). When no instrument answers, the driver shows its own
// message and the fields stay empty, or nothing is written; the driver waits in the event
// loop with its reply time-out, so the window never freezes. A remote connection that
// someone else opened (a running test) is used as it stands and never closed from here.
#include "host/contract/ISetup.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace nb4410vti {
class _CNB4410VTI;
}

namespace nb4410 {

class FDialogWrapper;
class XNB4410ControlPanel;

// The control panel's own interface.
class _CNB4410ControlPanel : public virtual ostrel::IObject {
public:
    virtual std::shared_ptr<ostrel::IDialog> GetSetup() = 0;
};

class CNB4410ControlPanel : public QObject, public ostrel::ISetup, public _CNB4410ControlPanel {
    Q_OBJECT
public:
    static constexpr char kProgId[] = "OstrelNB4410.CNB4410ControlPanel";
    static constexpr char kControlProgId[] = "OstrelNB4410.XNB4410ControlPanel";

    CNB4410ControlPanel();
    ~CNB4410ControlPanel() override;

    // _CNB4410ControlPanel: a new dialog, kept as this panel's dialog.
    std::shared_ptr<ostrel::IDialog> GetSetup() override;

    // ISetup
    bool HasDialog() override { return true; }
    QString Settings() override { return QString(); }
    void SetSettings(const QString&) override {}
    std::shared_ptr<ostrel::IDialog> CreateDialog() override;
    void RegLoad(ostrel::Hive, const QString&) override {}
    void RegSave(ostrel::Hive, const QString&) override {}

    std::shared_ptr<ostrel::IDialog> Dialog() const;
    XNB4410ControlPanel* ControlPanel() const { return mxCtrlPanel.data(); }

private:
    void mxCtrlPanel_Initialize(QString& sOperator, QString& sEstablishment, QString& sSerialNo);
    void mxCtrlPanel_ApplySettings(QString& sOperator, QString& sEstablishment, QString& sSerialNo);
    // Runs exchange on the driver inside a remote connection: one opened and closed for it
    // when none is open. False when the driver could not be reached, the connection failed,
    // the exchange failed, or another exchange of this panel is still waiting.
    bool withInstrument(const char* step, const std::function<void(nb4410vti::_CNB4410VTI&)>& exchange);

    std::shared_ptr<FDialogWrapper> m_dialog;
    QPointer<XNB4410ControlPanel> mxCtrlPanel;
    bool m_fTalking = false;
};

} // namespace nb4410
