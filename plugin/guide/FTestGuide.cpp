#include "FTestGuide.h"

#include "INB4410TestGuideConfig.h"
#include "XTestDetails.h"
#include "plugin/measure/INB4410ResultView.h"

#include "host/contract/IConfigData.h"
#include "host/contract/ILimitData.h"
#include "host/contract/IResultData.h"
#include "host/contract/IRunContext.h"
#include "host/contract/ITestElement.h"
#include "host/core/ClassRegistry.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/TestGuideService.h"
#include "host/run/XPressureChart.h"
#include "host/run/XProgressSphere.h"
#include "host/run/XTestGuideStatusBar.h"
#include "host/run/XTestGuideWizard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

namespace {

struct ButtonSetup {
    const char* key;
    const char* caption;
    const char* toolTip; // numbered text, translated when the window is prepared; empty: none
    QStyle::StandardPixmap icon;
    bool checkable;
};

using Key = ostrel::TestGuideButton;
const QString kPlay = QString::fromLatin1(Key::kPlay);
const QString kStop = QString::fromLatin1(Key::kStop);
const QString kAbort = QString::fromLatin1(Key::kAbort);
const QString kPrev = QString::fromLatin1(Key::kPrev);
const QString kNext = QString::fromLatin1(Key::kNext);
const QString kNA = QString::fromLatin1(Key::kNA);
const QString kSkip = QString::fromLatin1(Key::kSkip);
const QString kMotion = QString::fromLatin1(Key::kMotion);
const QString kCalibrate = QString::fromLatin1(Key::kCalibrate);
const QString kInfo = QString::fromLatin1(Key::kInfo);

// In toolbar order.
const ButtonSetup kButtonSetups[] = {
    {Key::kAbort, "Abort", "210::Abort test (Esc).", QStyle::SP_DialogCancelButton, false},
    {Key::kPrev, "Previous", "211::Go to previous test (Ctrl+B).", QStyle::SP_MediaSeekBackward, false},
    {Key::kNext, "Next", "212::Go to next test (Ctrl+N). ", QStyle::SP_MediaSeekForward, false},
    {Key::kPlay, "Play", "213::Start test (Enter).", QStyle::SP_MediaPlay, true},
    {Key::kStop, "Stop", "214::Stop test (Ctrl+E).", QStyle::SP_MediaStop, false},
    {Key::kNA, "N/A", "215::Flag test as not applicable (Ctrl+A).", QStyle::SP_DialogNoButton, false},
    {Key::kSkip, "Skip", "216::Skip this test and go to next (Ctrl+K).", QStyle::SP_MediaSkipForward, false},
    {Key::kCalibrate, "Calibrate", "", QStyle::SP_BrowserReload, false},
    {Key::kMotion, "Motion", "", QStyle::SP_ArrowRight, false},
    {Key::kInfo, "Info", "", QStyle::SP_MessageBoxInformation, true},
};


} // namespace

FTestGuide::FTestGuide(QWidget* parent)
    : QDialog(parent),
      m_toolbar(new QToolBar(this)),
      m_statusBar(new ostrel::XTestGuideStatusBar(this)),
      m_wizard(new ostrel::XTestGuideWizard(this)),
      m_progress(new ostrel::XProgressSphere(this)),
      m_details(new XTestDetails(m_wizard))
{
    setWindowTitle(QString::fromLatin1(kCaption));
    setModal(true);
    m_toolbar->setObjectName(QStringLiteral("tbrPerform"));
    m_statusBar->setObjectName(QStringLiteral("xtgStatusBar"));
    m_wizard->setObjectName(QStringLiteral("xtgWizard"));
    m_progress->setObjectName(QStringLiteral("xpsProgress"));
    buildToolbar();

    auto* top = new QHBoxLayout;
    top->addWidget(m_toolbar, 1);
    top->addWidget(m_progress);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_wizard, 1);
    layout->addWidget(m_statusBar);
    // Room for the BP result list of four rows with its limits and the typed readings.
    resize(720, 640);

    SetNavigation(true);
    // The window previews the keys of all its children.
    qApp->installEventFilter(this);
}

FTestGuide::~FTestGuide()
{
    qApp->removeEventFilter(this);
    ostrel::TestGuideService::instance().GuideClosed(*this);
}

void FTestGuide::buildToolbar()
{
    // Captions under the icons: "next" and "skip" look alike without them.
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ButtonSetup& button : kButtonSetups) {
        auto* action = m_toolbar->addAction(style()->standardIcon(button.icon), QString::fromLatin1(button.caption));
        const QString key = QString::fromLatin1(button.key);
        action->setObjectName(key);
        action->setData(QString::fromLatin1(button.toolTip));
        action->setCheckable(button.checkable);
        m_buttons.insert(key, action);
        connect(action, &QAction::triggered, this, [this, key] { Press(key); });
        connect(action, &QAction::changed, this, [this] { ostrel::TestGuideService::instance().GuideChanged(*this); });
    }
    // The instrument offers no calibration from here and no test of the NB-4410 follows a
    // motion; the two keep their places in the toolbar the operator knows, greyed out.
    for (const QString& unused : {kCalibrate, kMotion})
        m_buttons.value(unused)->setEnabled(false);
    // The configuration summary is shown while "info" is pressed.
    m_buttons.value(kInfo)->setChecked(true);
}

QString FTestGuide::ResultViewProgId(std::int32_t testId)
{
    return QString::fromLatin1(testId >= 110 && testId <= 140 ? kResultBP : kResultView);
}

INB4410ResultView* FTestGuide::ResultView() const
{
    return dynamic_cast<INB4410ResultView*>(m_resultControl.data());
}

void FTestGuide::InitGuide(std::shared_ptr<ostrel::ITestElement> element, std::shared_ptr<ostrel::IRunContext> context,
                           const Variant& instructions, const Variant& configuration)
{
    m_element = element;
    runStep("wizard element", [&] { m_wizard->SetElement(element, context); });
    runStep("wizard details", [&] { m_wizard->SetDetailsControl(m_details); });
    runStep("caption", [&] { setWindowTitle(ostrel::TestGuideService::instance().ElementCaption(element)); });
    runStep("toolbar texts", [&] {
        for (QAction* action : m_buttons) {
            const QString text = action->data().toString();
            action->setToolTip(text.isEmpty() ? QString() : ostrel::tr4410(text));
        }
    });
    runStep("details", [&] { m_details->Initialize(instructions, configuration); });
    // The instrument tests with a pressure to watch chart it; the BP view needs the room.
    runStep("pressure chart", [&] {
        m_details->PressureChart()->SetActive(element && ResultViewProgId(element->TestID()) == QLatin1String(kResultView));
        m_details->PressureChart()->SetElement(element, context);
    });
    runStep("test-guide settings", [&] { applyTestGuideSettings(element); });
    runStep("result view", [&] { createResultView(element); });
    runStep("store configuration", [&] {
        if (ResultView() && element)
            ResultView()->StoreConfiguration(element->Configuration());
    });
    runStep("show result", [&] { ShowResult(element ? element->Result() : nullptr); });
    runStep("has run", [&] {
        const auto result = element ? element->Result() : nullptr;
        m_hasRun = result && result->Status() != 0;
    });
    runStep("show limits", [&] {
        if (ResultView() && element)
            ResultView()->ShowLimits(element->Limits(), context ? context->SelectedStandards() : nullptr);
    });
    runStep("wizard window", [&] { m_wizard->SetWindow(this); });
    runStep("layout", [&] { m_wizard->Layout(); });
}

void FTestGuide::applyTestGuideSettings(const std::shared_ptr<ostrel::ITestElement>& element)
{
    if (!element)
        return;
    auto* source = dynamic_cast<INB4410TestGuideConfig*>(element->Configuration().get());
    const auto settings = source ? source->TestGuideConfig() : nullptr;
    if (!settings)
        return;
    m_skipNAAllowed = settings->SkipNAEnabled();
    enableButton(kSkip, m_skipNAAllowed);
    enableButton(kNA, m_skipNAAllowed);
}

void FTestGuide::createResultView(const std::shared_ptr<ostrel::ITestElement>& element)
{
    m_resultProgId = ResultViewProgId(element ? element->TestID() : 0);
    QWidget* control = ostrel::ClassRegistry::instance().CreateControl(m_resultProgId, m_wizard);
    if (!control)
        return;
    control->setObjectName(QStringLiteral("xrvResult"));
    control->setVisible(true);
    m_resultControl = control;
    m_wizard->PlaceResultControl(control);
    if (INB4410ResultView* view = ResultView()) {
        QPointer<FTestGuide> self(this);
        view->SetEventHandler([self](const QString& name, const ostrel::VariantArray& params) {
            if (self)
                self->resultViewEvent(name, params);
        });
    }
}

void FTestGuide::resultViewEvent(const QString& name, const ostrel::VariantArray& params)
{
    runStep("result view event", [&] {
        if (name == QLatin1String(kEventEnableNextButton) && params.count() >= 1)
            EnableNextButton(params[0].toBool());
        else if (name == QLatin1String(kEventStandardSelected) && params.count() >= 2)
            m_statusBar->SetStandard(params[0].text(), params[1].text());
    });
}

void FTestGuide::HighlightSteps(const Variant& steps)
{
    runStep("highlight steps", [&] { m_details->HighlightInstruction(steps); });
}

void FTestGuide::SetRunning(bool running, const Variant& steps)
{
    runStep("stop button", [&] { enableButton(kStop, running); });
    if (!running) {
        runStep("release play", [&] { setPressed(kPlay, false); });
        runStep("configuration view", [&] { m_details->SetShowProgress(false); });
        // The configuration is back in view: "info" shows it pressed, so the next press swaps views.
        runStep("press info", [&] { setPressed(kInfo, true); });
        runStep("stop sphere", [&] { m_progress->Stop(); });
        runStep("finish chart", [&] { m_details->PressureChart()->Finish(); });
    } else {
        runStep("start sphere", [&] { m_progress->Start(); });
        runStep("start chart", [&] { m_details->PressureChart()->Start(); });
        m_firstData = true;
    }
    HighlightSteps(steps);
}

void FTestGuide::UpdatePerformData(std::int32_t value, const Variant& elapsed)
{
    runStep("perform data", [&] { m_details->ShowPerformData(value, elapsed); });
    if (m_firstData) {
        m_firstData = false;
        runStep("progress view", [&] { m_details->SetShowProgress(true); });
        runStep("release info", [&] { setPressed(kInfo, false); });
    }
}

void FTestGuide::ShowResult(std::shared_ptr<ostrel::IResultData> result)
{
    runStep("result view", [&] {
        if (ResultView())
            ResultView()->ShowTestResult(result);
    });
    // An incomplete result names the failure that ended its run.
    runStep("status bar", [&] {
        m_statusBar->SetStatus(result ? result->Status() : 0, result ? Variant(result->StatusText()) : Variant());
    });
}

void FTestGuide::BeginResultEntry()
{
    runStep("result entry", [&] {
        if (ResultView())
            ResultView()->StartEditing();
    });
}

void FTestGuide::EnableNextButton(bool enable)
{
    runStep("next button", [&] { enableButton(kNext, enable); });
}

void FTestGuide::SetNavigation(bool on)
{
    runStep("navigation", [&] {
        enableButton(kStop, !on);
        enableButton(kPrev, on);
        // The optional buttons stay off when the configuration's test-guide settings turn them off.
        enableButton(kNA, on && m_skipNAAllowed);
        enableButton(kSkip, on && m_skipNAAllowed);
        if (!on || !m_performing)
            enableButton(kNext, false);
        m_toolbar->update();
    });
}

void FTestGuide::Unload()
{
    runStep("release wizard", [&] { m_wizard->Release(); });
    m_element.reset();
}

void FTestGuide::press(const QString& key)
{
    m_toolbar->update();
    if (key == kPlay) {
        if (m_performing) {
            setPressed(kPlay, true);
            return;
        }
        m_performing = true;
        setPressed(kPlay, true);
        SetNavigation(false);
        raiseEvent("start test", &FTestGuide::StartTest); // returns when the element's run has ended
        SetNavigation(true);
        m_performing = false;
        m_hasRun = true;
    } else if (key == kStop) {
        SetNavigation(true);
        raiseEvent("stop test", &FTestGuide::StopTest);
        runStep("release play", [&] { setPressed(kPlay, false); });
    } else if (key == kAbort) {
        bool confirmed = false;
        runStep("confirm abort",
                [&] { confirmed = ostrel::TestGuideService::instance().ConfirmAbort(m_element.lock()); });
        if (confirmed)
            raiseEvent("abort", &FTestGuide::Abort);
    } else if (key == kPrev) {
        raiseEvent("previous test", &FTestGuide::PrevTest);
    } else if (key == kNext) {
        raiseEvent("next test", &FTestGuide::NextTest);
    } else if (key == kNA) {
        raiseEvent("not applicable", &FTestGuide::NA);
    } else if (key == kSkip) {
        raiseEvent("skip test", &FTestGuide::SkipTest);
    } else if (key == kMotion) {
        raiseEvent("motion", &FTestGuide::Motion);
    } else if (key == kInfo) {
        m_details->SetShowProgress(!m_buttons.value(kInfo)->isChecked());
    }
}

void FTestGuide::raiseEvent(const char* what, void (FTestGuide::*signal)())
{
    runStep(what, [&] { (this->*signal)(); });
}

bool FTestGuide::handleKey(int key, Qt::KeyboardModifiers modifiers, QObject* target)
{
    const Qt::KeyboardModifiers mods = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if (mods == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_N: Press(kNext); return true;
        case Qt::Key_B: Press(kPrev); return true;
        case Qt::Key_K: Press(kSkip); return true;
        case Qt::Key_A:
            // In a text box Ctrl+A selects all, as everywhere on the desktop; typed readings
            // must not be thrown away by a test marked N/A.
            if (IsTextBox(target ? target : QApplication::focusWidget()))
                return false;
            Press(kNA);
            return true;
        default: return false;
        }
    }
    if (mods != Qt::NoModifier)
        return false;
    if (key == Qt::Key_Escape) {
        Press(kAbort);
        return true;
    }
    if (key == Qt::Key_F9) {
        if (m_performing)
            return true;
        if (!m_hasRun)
            Press(kPlay);
        else if (enabled(kNext))
            Press(kNext);
        return true;
    }
    return false;
}

bool FTestGuide::IsTextBox(QObject* focus)
{
    return qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)
        || qobject_cast<QAbstractSpinBox*>(focus);
}

bool FTestGuide::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isVisible())
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    return handleKey(keyEvent->key(), keyEvent->modifiers(), watched);
}

void FTestGuide::closeEvent(QCloseEvent* event)
{
    // Closing by the frame or Alt+F4 is the abort button: the element decides whether to go.
    if (!isVisible()) {
        event->accept();
        return;
    }
    event->ignore();
    Press(kAbort);
}

void FTestGuide::reject()
{
    Press(kAbort);
}

void FTestGuide::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ostrel::TestGuideService::instance().GuideOpened(*this);
    runStep("focus result view", [&] {
        if (m_resultControl)
            m_resultControl->setFocus();
    });
    runStep("start editing", [&] {
        if (ResultView())
            ResultView()->StartEditing();
    });
}

void FTestGuide::hideEvent(QHideEvent* event)
{
    ostrel::TestGuideService::instance().GuideClosed(*this);
    QDialog::hideEvent(event);
}

void FTestGuide::Press(const QString& key)
{
    // A greyed-out button does nothing, whoever presses it.
    if (enabled(key))
        runStep("toolbar press", [&] { press(key); });
}

bool FTestGuide::IsEnabled(const QString& key) const
{
    return enabled(key);
}

bool FTestGuide::IsRunning() const
{
    QAction* play = m_buttons.value(kPlay);
    return play && play->isChecked();
}

QWidget* FTestGuide::Window()
{
    return this;
}

void FTestGuide::enableButton(const QString& key, bool on)
{
    if (QAction* action = m_buttons.value(key))
        action->setEnabled(on);
}

bool FTestGuide::enabled(const QString& key) const
{
    QAction* action = m_buttons.value(key);
    return action && action->isEnabled();
}

void FTestGuide::setPressed(const QString& key, bool pressed)
{
    if (QAction* action = m_buttons.value(key))
        action->setChecked(pressed);
}

} // namespace nb4410
