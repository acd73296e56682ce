#pragma once
// The settings page of the instrument's operator record: operator, establishment and serial
// number, with an Apply button. The page itself knows nothing of the instrument: it asks its
// owner for the texts through the Initialize event and hands them back through ApplySettings.
#include "host/contract/ICustomControl.h"

#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace nb4410 {

class _CNB4410ControlPanel;

class XNB4410ControlPanel : public QWidget, public ostrel::ICustomControl {
    Q_OBJECT
public:
    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kMaxOperatorLength = 40;
    static constexpr int kMaxEstablishmentLength = 40;

    explicit XNB4410ControlPanel(QWidget* parent = nullptr);

    // ICustomControl; failures inside are ignored.
    std::shared_ptr<ostrel::ICallback> CallBack() override { return m_callback; }
    void SetCallBack(std::shared_ptr<ostrel::ICallback> callback) override { m_callback = std::move(callback); }
    QWidget* hWnd() override { return this; }
    bool Visible() override;
    void SetVisible(bool visible) override;
    bool Locked() override { return m_locked; }
    void SetLocked(bool locked) override;
    // data: a variant holding the owning control panel.
    void Initialize(const ostrel::Variant& data) override;
    void Refresh() override;
    void SetFocus() override;

    std::shared_ptr<_CNB4410ControlPanel> Owner() const { return m_owner.lock(); }
    bool Initialising() const { return m_initialising; }

    // Told by the owner while it handles Initialize: whether the record was read (Apply stays
    // disabled after a failed read, it would write blanks over the record) and the firmware
    // revision the instrument reported.
    void SetRecordRead(bool read, const QString& firmware);
    // Told by the owner after ApplySettings: whether the instrument stored the record.
    void ShowApplied(bool stored);

    // Pixels of a twip length on a screen of that logical resolution (dots per inch).
    static int TwipsToPixels(int twips, int dpi);

signals:
    // Texts by reference: the handler of Initialize fills them in, the handler of
    // ApplySettings receives what the operator typed.
    void ApplySettings(QString& sOperator, QString& sEstablishment, QString& sSerialNo);
    void Initialize(QString& sOperator, QString& sEstablishment, QString& sSerialNo);

private:
    void cmdApplySettings_Click();
    void placeControls();
    void updateApplyButton();
    // The first field longer than the instrument keeps, refused with a message; false when none.
    bool refuseTooLong();

    std::shared_ptr<ostrel::ICallback> m_callback;
    // Weak: the owner keeps the dialog, which keeps this control.
    std::weak_ptr<_CNB4410ControlPanel> m_owner;
    bool m_locked = false;
    bool m_initialising = false;
    bool m_applying = false;
    bool m_readFailed = false;

    QFrame* m_pboMTISettings;
    QGroupBox* m_fraMTISettings;
    QLabel* m_lblOperator;
    QLineEdit* m_txtOperator;
    QLabel* m_lblEstablishment;
    QLineEdit* m_txtEstablishment;
    QLabel* m_lblSerialNumber;
    QLineEdit* m_txtSerialNumber;
    QLabel* m_lblFWRevision;
    QLabel* m_lblVersion;
    QPushButton* m_cmdApplySettings;
    QLabel* m_lblApplied;
};

} // namespace nb4410
