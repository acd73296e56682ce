#include "XConfigEditor.h"

#include "host/contract/ICallback.h"
#include "host/core/Steps.h"

namespace nb4410 {

XConfigEditor::XConfigEditor(QWidget* parent) : QWidget(parent) {}

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
