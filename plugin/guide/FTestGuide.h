#pragma once
// The modal window that guides the operator through one test element while it is performed.
// It turns toolbar presses and keys into events (Qt signals) and lets the element drive the
// instrument; every operation and handler runs with its failing steps skipped. An operator
// without hands drives it through the same presses (ITestGuide).
#include "host/contract/Forward.h"
#include "host/contract/ITestGuide.h"
#include "host/core/Variant.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <memory>

class QAction;
class QToolBar;

namespace ostrel {
class XProgressSphere;
class XTestGuideStatusBar;
class XTestGuideWizard;
} // namespace ostrel

namespace nb4410 {

class INB4410ResultView;
class XTestDetails;

class FTestGuide : public QDialog, public ostrel::ITestGuide {
    Q_OBJECT
public:
    static constexpr char kCaption[] = "TEST GUIDE";
    static constexpr char kResultBP[] = "OstrelNB4410.XResultBP";
    static constexpr char kResultView[] = "OstrelNB4410.XResultView";

    explicit FTestGuide(QWidget* parent = nullptr);
    ~FTestGuide() override;

    // The result view's program identifier for a test ID: the BP view for 110 to 140.
    static QString ResultViewProgId(std::int32_t testId);

    // Operations of the test elements.
    void InitGuide(std::shared_ptr<ostrel::ITestElement> element, std::shared_ptr<ostrel::IRunContext> context,
                   const ostrel::Variant& instructions, const ostrel::Variant& configuration = ostrel::Variant());
    void HighlightSteps(const ostrel::Variant& steps);
    void SetRunning(bool running, const ostrel::Variant& steps);
    void UpdatePerformData(std::int32_t value, const ostrel::Variant& elapsed = ostrel::Variant::missing());
    void ShowResult(std::shared_ptr<ostrel::IResultData> result);
    void BeginResultEntry();
    void EnableNextButton(bool enable);
    void SetNavigation(bool on);
    // Releases the wizard's references to the element; the owner calls it before dropping the window.
    void Unload();

    // The operator's side; the toolbar's clicks and the keys come here too.
    void Press(const QString& key) override;
    bool IsEnabled(const QString& key) const override;
    bool IsRunning() const override;
    QWidget* Window() override;

    bool Performing() const { return m_performing; }
    bool HasRun() const { return m_hasRun; }
    QAction* Button(const QString& key) const { return m_buttons.value(key); }
    QToolBar* Toolbar() const { return m_toolbar; }
    XTestDetails* Details() const { return m_details; }
    INB4410ResultView* ResultView() const;
    QWidget* ResultControl() const { return m_resultControl; }
    QString ResultControlProgId() const { return m_resultProgId; }
    ostrel::XTestGuideStatusBar* StatusBar() const { return m_statusBar; }
    ostrel::XProgressSphere* ProgressSphere() const { return m_progress; }
    ostrel::XTestGuideWizard* Wizard() const { return m_wizard; }

signals:
    void StartTest();
    void StopTest();
    void Abort();
    void PrevTest();
    void NextTest();
    void SkipTest();
    void NA();
    void Motion();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildToolbar();
    void applyTestGuideSettings(const std::shared_ptr<ostrel::ITestElement>& element);
    void createResultView(const std::shared_ptr<ostrel::ITestElement>& element);
    void resultViewEvent(const QString& name, const ostrel::VariantArray& params);
    // target: the widget the key goes to (the focus widget when not given).
    bool handleKey(int key, Qt::KeyboardModifiers modifiers, QObject* target = nullptr);
    // Whether the widget is a box that edits text (where Ctrl+A selects all).
    static bool IsTextBox(QObject* widget);
    void press(const QString& key);
    void raiseEvent(const char* what, void (FTestGuide::*signal)());
    void enableButton(const QString& key, bool enabled);
    bool enabled(const QString& key) const;
    void setPressed(const QString& key, bool pressed);

    QToolBar* m_toolbar;
    QHash<QString, QAction*> m_buttons;
    ostrel::XTestGuideStatusBar* m_statusBar;
    ostrel::XTestGuideWizard* m_wizard;
    ostrel::XProgressSphere* m_progress;
    XTestDetails* m_details;
    QPointer<QWidget> m_resultControl;
    QString m_resultProgId;
    std::weak_ptr<ostrel::ITestElement> m_element;
    bool m_skipNAAllowed = true;
    bool m_performing = false;
    bool m_hasRun = false;
    bool m_firstData = false;
};

} // namespace nb4410
