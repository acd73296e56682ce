#pragma once
// What every configuration editor of the plug-in shares as a host control: the callback, the
// visible and locked state, and the "Change" it announces once the user has edited something.
#include "host/contract/ICustomControl.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace ostrel {
class XHelpText;
class XTestGuideSettings;
} // namespace ostrel

namespace nb4410 {

class XConfigEditor : public QWidget, public ostrel::ICustomControl {
    Q_OBJECT
public:
    // ICustomControl; failures inside are ignored.
    std::shared_ptr<ostrel::ICallback> CallBack() override { return m_callback; }
    void SetCallBack(std::shared_ptr<ostrel::ICallback> callback) override { m_callback = std::move(callback); }
    QWidget* hWnd() override { return this; }
    bool Visible() override { return isVisible(); }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Locked() override { return m_locked; }
    // Locks the editor's own controls and its test-guide settings: a locked editor changes the
    // configuration through neither.
    void SetLocked(bool locked) final;
    void Refresh() override { update(); }

    // True while Initialize shows a configuration: what the controls report then is no edit.
    bool Initialising() const { return m_initialising; }
    ostrel::XTestGuideSettings* TestGuideSettingsControl() const { return m_testGuideConfig; }

protected:
    explicit XConfigEditor(QWidget* parent);

    // The help text every editor shows (m_help), its numbered text translated. Each editor
    // makes it before its own focusable controls, so that the focus order stays as it was.
    void makeHelp(const QString& numberedText, const QString& objectName = QStringLiteral("xhtInfo"));
    // The test-guide settings control (m_testGuideConfig), whose own edits the editor announces.
    void makeTestGuideSettings(QWidget* parent);
    // The numbered captions of the editor's controls in the current language.
    void translate();

    // Shows a configuration through `show`: what the controls report meanwhile is no edit, and
    // a failure leaves the editor as far as it got.
    void showConfiguration(const std::function<void()>& show);
    // The editor's own controls locked (read-only or disabled) or free again; an editor with
    // no values of its own has none.
    virtual void lockControls(bool /*locked*/) {}

    void notifyChange();
    // The test-guide settings control reports its own edits; showing new settings is none.
    void testGuideSettingsChanged();

    bool m_locked = false;
    bool m_initialising = false;
    ostrel::XHelpText* m_help = nullptr;
    ostrel::XTestGuideSettings* m_testGuideConfig = nullptr;

private:
    std::shared_ptr<ostrel::ICallback> m_callback;
};

} // namespace nb4410
