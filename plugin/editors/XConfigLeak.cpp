#include "XConfigLeak.h"

#include "host/contract/ICallback.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/run/TestGuideSettings.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/tests/leak/CConfigLeak.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigLeak", XConfigLeak)

using ostrel::runStep;

namespace {

struct SliderSetup {
    int minimum;
    int maximum;
    int smallStep;
    int largeStep;
    int tickEvery;
};

// Row 0 start pressure (mmHg), row 1 duration (s).
constexpr SliderSetup kSliders[XConfigLeak::kRows] = {{0, 400, 5, 50, 50}, {0, 300, 10, 60, 30}};
const char* const kRowCaptions[XConfigLeak::kRows] = {"20242::Start pressure (mmHg):", "20244::Duration (sec) :"};
const char kBoxToolTip[] = "20250::Legal range: 20 mmHg - 255 mmHg.";
const char* const kEquipmentCaptions[XConfigLeak::kEquipmentOptions] = {"20450::Cuff", "20451::Monitor",
                                                                          "20452::Cuff and Monitor"};
} // namespace

int XConfigLeak::RowMinimum(int row) { return kSliders[row].minimum; }
int XConfigLeak::RowMaximum(int row) { return kSliders[row].maximum; }

XConfigLeak::XConfigLeak(QWidget* parent)
    : QWidget(parent),
      m_fraEquipment(new QGroupBox(this)),
      m_help(new ostrel::XHelpText(this)),
      m_fraSettings(new QGroupBox(this)),
      m_testGuideConfig(new ostrel::XTestGuideSettings(this))
{
    m_fraEquipment->setObjectName(QStringLiteral("fraEquipment"));
    m_fraSettings->setObjectName(QStringLiteral("fraSettings"));
    m_help->setObjectName(QStringLiteral("xhtInfo"));
    m_testGuideConfig->setObjectName(QStringLiteral("xtgTestGuideConfig"));

    auto* equipment = new QVBoxLayout(m_fraEquipment);
    for (int i = 0; i < kEquipmentOptions; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kEquipmentCaptions[i]), m_fraEquipment);
        option->setObjectName(QStringLiteral("optTestedEquipment_%1").arg(i));
        equipment->addWidget(option);
        m_option[static_cast<size_t>(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { optionClicked(i); });
    }

    auto* grid = new QGridLayout(m_fraSettings);
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int row = 0; row < kRows; ++row) {
        const SliderSetup& setup = kSliders[row];
        auto* label = new QLabel(QString::fromLatin1(kRowCaptions[row]), m_fraSettings);
        auto* text = new QLineEdit(m_fraSettings);
        auto* slider = new QSlider(Qt::Horizontal, m_fraSettings);
        label->setObjectName(QStringLiteral("lblConfiguration_%1").arg(row));
        text->setObjectName(QStringLiteral("txtConfiguration_%1").arg(row));
        slider->setObjectName(QStringLiteral("sldConfiguration_%1").arg(row));
        text->setMaxLength(3);
        text->setValidator(digits);
        text->setToolTip(QString::fromLatin1(kBoxToolTip));
        text->installEventFilter(this);
        slider->setRange(setup.minimum, setup.maximum);
        slider->setSingleStep(setup.smallStep);
        slider->setPageStep(setup.largeStep);
        slider->setTickInterval(setup.tickEvery);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setToolTip(QStringLiteral("[%1 - %2]").arg(setup.minimum).arg(setup.maximum));
        grid->addWidget(label, row, 0);
        grid->addWidget(text, row, 1);
        grid->addWidget(slider, row, 2);
        m_label[static_cast<size_t>(row)] = label;
        m_text[static_cast<size_t>(row)] = text;
        m_slider[static_cast<size_t>(row)] = slider;
        connect(text, &QLineEdit::textChanged, this, [this, row] { textChanged(row); });
        connect(slider, &QSlider::valueChanged, this, [this, row](int position) { sliderMoved(row, position); });
    }
    grid->setColumnStretch(2, 1);

    m_help->SetText(QStringLiteral("Start pressure 0 - 400 mmHg; duration 0 - 300 s, where 0 runs until stopped."));
    connect(m_testGuideConfig, &ostrel::XTestGuideSettings::Changed, this, &XConfigLeak::testGuideSettingsChanged);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_fraEquipment, 0, 0);
    layout->addWidget(m_help, 0, 1);
    layout->addWidget(m_fraSettings, 1, 0, 1, 2);
    layout->addWidget(m_testGuideConfig, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);

    runStep("translate editor", [&] { ostrel::LanguageService::instance().TranslateWidget(this, QStringLiteral("NB-4410")); });
}

void XConfigLeak::SetLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    runStep("lock editor", [&] {
        for (QLineEdit* text : m_text)
            text->setReadOnly(locked);
        for (QSlider* slider : m_slider)
            slider->setEnabled(!locked);
        for (QRadioButton* option : m_option)
            option->setEnabled(!locked);
        m_testGuideConfig->SetLocked(locked);
    });
}

void XConfigLeak::Initialize(const ostrel::Variant& data)
{
    m_initialising = true;
    runStep("show configuration", [&] {
        m_configuration = data.as<CConfigLeak>();
        if (!m_configuration) {
            for (QLineEdit* text : m_text)
                text->clear();
            m_option[0]->setChecked(true);
            return;
        }
        m_text[kStartPressureRow]->setText(ostrel::numberToText(m_configuration->StartPressure()));
        m_text[kDurationRow]->setText(QString::number(m_configuration->Duration()));
        const int index = m_configuration->TestedEquipment() - 1;
        if (index >= 0 && index < kEquipmentOptions)
            m_option[static_cast<size_t>(index)]->setChecked(true);
        m_testGuideConfig->SetSettings(m_configuration->TestGuideSettings());
    });
    m_initialising = false;
}

void XConfigLeak::SetFocus()
{
    runStep("focus", [&] { m_text[kStartPressureRow]->setFocus(); });
}

std::int32_t XConfigLeak::readRow(int row)
{
    QLineEdit* text = m_text[static_cast<size_t>(row)];
    const int value = text->text().toInt();
    const int corrected = std::clamp(value, RowMinimum(row), RowMaximum(row));
    if (corrected != value) {
        text->setText(QString::number(corrected));
        text->selectAll();
    }
    return corrected;
}

void XConfigLeak::textChanged(int row)
{
    if (m_textBusy)
        return;
    m_textBusy = true;
    runStep("take text", [&] {
        if (!m_initialising && m_configuration) {
            const std::int32_t value = readRow(row);
            if (row == kStartPressureRow)
                m_configuration->SetStartPressure(static_cast<float>(value));
            else
                m_configuration->SetDuration(value);
            notifyChange();
        }
        m_slider[static_cast<size_t>(row)]->setValue(m_text[static_cast<size_t>(row)]->text().toInt());
    });
    m_textBusy = false;
}

void XConfigLeak::sliderMoved(int row, int position)
{
    if (m_initialising)
        return;
    runStep("slider to text", [&] {
        QLineEdit* text = m_text[static_cast<size_t>(row)];
        if (text->text().toInt() != position)
            text->setText(QString::number(position));
    });
}

void XConfigLeak::optionClicked(int index)
{
    if (m_initialising || !m_configuration)
        return;
    runStep("tested equipment", [&] {
        m_configuration->SetTestedEquipment(index + 1);
        notifyChange();
    });
}

void XConfigLeak::testGuideSettingsChanged()
{
    if (!m_initialising)
        notifyChange();
}

void XConfigLeak::notifyChange()
{
    if (m_callback)
        runStep("notify change", [&] { m_callback->Notify(QStringLiteral("Change"), ostrel::Variant(ostrel::VariantArray())); });
}

bool XConfigLeak::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto* text = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, text, &QLineEdit::selectAll);
    return QWidget::eventFilter(watched, event);
}

} // namespace nb4410
