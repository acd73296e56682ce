#include "XConfigEditor.h"

#include "host/contract/ICallback.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "host/widgets/WidgetTranslator.h"

namespace nb4410 {

XConfigEditor::XConfigEditor(QWidget* parent) : QWidget(parent) {}

void XConfigEditor::SetLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    ostrel::runStep("lock editor", [&] {
        lockControls(locked);
        m_testGuideConfig->SetLocked(locked);
    });
}

void XConfigEditor::makeHelp(const QString& numberedText, const QString& objectName)
{
    m_help = new ostrel::XHelpText(this);
    m_help->setObjectName(objectName);
    m_help->SetText(ostrel::tr4410(numberedText));
}

void XConfigEditor::makeTestGuideSettings(QWidget* parent)
{
    m_testGuideConfig = new ostrel::XTestGuideSettings(parent);
    m_testGuideConfig->setObjectName(QStringLiteral("xtgTestGuideConfig"));
    connect(m_testGuideConfig, &ostrel::XTestGuideSettings::Changed, this, &XConfigEditor::testGuideSettingsChanged);
}

void XConfigEditor::translate()
{
    ostrel::runStep("translate editor", [&] { ostrel::WidgetTranslator::Translate(this, QStringLiteral("NB-4410")); });
}

void XConfigEditor::showConfiguration(const std::function<void()>& show)
{
    m_initialising = true;
    ostrel::runStep("show configuration", show);
    m_initialising = false;
}

void XConfigEditor::notifyChange()
{
    if (m_callback)
        ostrel::runStep("notify change",
                        [&] { m_callback->Notify(QStringLiteral("Change"), ostrel::Variant(ostrel::VariantArray())); });
}

void XConfigEditor::testGuideSettingsChanged()
{
    if (!m_initialising)
        notifyChange();
}

} // namespace nb4410
