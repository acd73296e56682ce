#include "XConfigOverPressure.h"

#include "host/contract/ICallback.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/TestGuideSettings.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/tests/overpressure/INB4410ConfigOverPressure.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTimer>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigOverPressure", XConfigOverPressure)

using ostrel::runStep;

XConfigOverPressure::XConfigOverPressure(QWidget* parent)
    : QWidget(parent),
      m_help(new ostrel::XHelpText(this)),
      m_fraSettings(new QGroupBox(this)),
      m_label(new QLabel(QStringLiteral("20245::Inflate Pressure (mmHg):"), m_fraSettings)),
      m_text(new QLineEdit(m_fraSettings)),
      m_slider(new QSlider(Qt::Horizontal, m_fraSettings)),
      m_testGuideConfig(new ostrel::XTestGuideSettings(this))
{
    m_help->setObjectName(QStringLiteral("xhtInfo"));
    m_fraSettings->setObjectName(QStringLiteral("fraSettings"));
    m_label->setObjectName(QStringLiteral("lblInflatePressure"));
    m_text->setObjectName(QStringLiteral("txtInflatePressure"));
    m_slider->setObjectName(QStringLiteral("sldInflatePressure"));
    m_testGuideConfig->setObjectName(QStringLiteral("xtgTestGuideConfig"));

    m_text->setMaxLength(3);
    m_text->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_text));
    // The box's tip names a wider range than the editor lets through; it is shown as written.
    m_text->setToolTip(QStringLiteral("20253::Legal range: 0 - 500 mmHg."));
    m_text->installEventFilter(this);
    m_slider->setRange(kMinimumMmHg, kMaximumMmHg);
    m_slider->setSingleStep(5);
    m_slider->setPageStep(50);
    m_slider->setTickInterval(50);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setToolTip(QStringLiteral("[%1 - %2]").arg(m_slider->minimum()).arg(m_slider->maximum()));

    auto* grid = new QGridLayout(m_fraSettings);
    grid->addWidget(m_label, 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addWidget(m_slider, 0, 2);
    grid->setColumnStretch(2, 1);

    m_help->SetText(QStringLiteral("Inflate pressure 0 - 400 mmHg: the instrument inflates towards it and records the "
                                   "peak pressure and whether the unit under test releases."));
    connect(m_text, &QLineEdit::textChanged, this, &XConfigOverPressure::textChanged);
    connect(m_slider, &QSlider::valueChanged, this, &XConfigOverPressure::sliderMoved);
    connect(m_testGuideConfig, &ostrel::XTestGuideSettings::Changed, this,
            &XConfigOverPressure::testGuideSettingsChanged);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_help, 0, 0);
    layout->addWidget(m_fraSettings, 1, 0);
    layout->addWidget(m_testGuideConfig, 2, 0);
    layout->setRowStretch(3, 1);

    runStep("translate editor", [&] { ostrel::LanguageService::instance().TranslateWidget(this, QStringLiteral("NB-4410")); });
}

void XConfigOverPressure::SetLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    runStep("lock editor", [&] {
        m_text->setReadOnly(locked);
        m_slider->setEnabled(!locked);
        // A locked editor must not change the configuration through its settings either.
        m_testGuideConfig->SetLocked(locked);
    });
}

void XConfigOverPressure::Initialize(const ostrel::Variant& data)
{
    m_initialising = true;
    runStep("show configuration", [&] {
        m_configuration = data.as<INB4410ConfigOverPressure>();
        if (!m_configuration) {
            m_text->clear();
            SetLocked(true);
            return;
        }
        m_text->setText(ostrel::numberToText(m_configuration->InflatePressure()));
        m_testGuideConfig->SetSettings(m_configuration->TestGuideConfig());
    });
    m_initialising = false;
}

void XConfigOverPressure::SetFocus()
{
    runStep("focus", [&] { m_text->setFocus(); });
}

std::int32_t XConfigOverPressure::readInflatePressure()
{
    const int value = m_text->text().toInt();
    const int corrected = std::clamp(value, kMinimumMmHg, kMaximumMmHg);
    if (corrected != value) {
        m_text->setText(QString::number(corrected));
        m_text->selectAll();
    }
    return corrected;
}

void XConfigOverPressure::textChanged()
{
    if (m_textBusy)
        return;
    m_textBusy = true;
    runStep("take text", [&] {
        if (!m_initialising && m_configuration) {
            m_configuration->SetInflatePressure(static_cast<float>(readInflatePressure()));
            notifyChange();
        }
        m_slider->setValue(m_text->text().toInt());
    });
    m_textBusy = false;
}

void XConfigOverPressure::sliderMoved(int position)
{
    if (m_initialising)
        return;
    runStep("slider to text", [&] {
        if (m_text->text().toInt() != position)
            m_text->setText(QString::number(position));
    });
}

void XConfigOverPressure::testGuideSettingsChanged()
{
    if (!m_initialising)
        notifyChange();
}

void XConfigOverPressure::notifyChange()
{
    if (m_callback)
        runStep("notify change", [&] { m_callback->Notify(QStringLiteral("Change"), ostrel::Variant(ostrel::VariantArray())); });
}

bool XConfigOverPressure::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_text, &QLineEdit::selectAll);
    return QWidget::eventFilter(watched, event);
}

} // namespace nb4410
