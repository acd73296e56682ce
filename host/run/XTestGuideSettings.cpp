#include "XTestGuideSettings.h"

#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace ostrel {

OSTREL_REGISTER_CONTROL("OstrelView.XTestGuideSettings", XTestGuideSettings)

XTestGuideSettings::XTestGuideSettings(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("xtgTestGuideConfig"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const TestGuideSettings defaults;
    for (int i = 0; i < defaults.Count(); ++i) {
        auto* box = new QCheckBox(tr4410(defaults.OptionText(i)), this);
        box->setObjectName(QStringLiteral("chkOption%1").arg(i));
        box->setEnabled(false);
        layout->addWidget(box);
        m_boxes.push_back(box);
        connect(box, &QCheckBox::toggled, this, [this, i](bool checked) { optionToggled(i, checked); });
    }
    layout->addStretch();
}

void XTestGuideSettings::SetSettings(TestGuideSettingsPtr settings)
{
    m_settings = std::move(settings);
    showSettings();
}

void XTestGuideSettings::SetLocked(bool locked)
{
    m_locked = locked;
    showSettings();
}

QCheckBox* XTestGuideSettings::OptionBox(int index) const
{
    return index >= 0 && index < static_cast<int>(m_boxes.size()) ? m_boxes[static_cast<size_t>(index)] : nullptr;
}

void XTestGuideSettings::showSettings()
{
    m_showing = true;
    for (int i = 0; i < static_cast<int>(m_boxes.size()); ++i) {
        QCheckBox* box = m_boxes[static_cast<size_t>(i)];
        box->setChecked(m_settings && m_settings->Option(i));
        box->setEnabled(m_settings && !m_locked);
    }
    m_showing = false;
}

void XTestGuideSettings::optionToggled(int index, bool checked)
{
    if (m_showing || !m_settings || m_settings->Option(index) == checked)
        return;
    m_settings->SetOption(index, checked);
    emit Changed();
}

} // namespace ostrel
