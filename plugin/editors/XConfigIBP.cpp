#include "XConfigIBP.h"

#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"
#include "host/run/XHelpText.h"
#include "host/run/XTestGuideSettings.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/tests/bp/CConfigIBP.h"
#include "plugin/tests/bp/MConfigBP.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XConfigIBP", XConfigIBP)

using ostrel::runStep;

namespace {
// Systolic, diastolic, heart rate and pulse pressure, as the configuration's table has them.
const ConfigField<CConfigIBP>& rowField(int row) { return MConfigFields::EditorRow(CConfigIBP::Fields(), row); }
const QString kAllowedKeys = QStringLiteral("0123456789,.");

bool isControlKey(QChar typed) { return typed.unicode() < 32 || typed.unicode() == 127; }
} // namespace

QString XConfigIBP::RowKey(int row)
{
    return row >= 0 && row < kRows ? QString::fromLatin1(rowField(row).key) : QString();
}

XConfigIBP::XConfigIBP(QWidget* parent)
    : XConfigBP(parent),
      m_fraSelections(new QGroupBox(this)),
      m_lstArrSim(new QComboBox(m_fraSelections))
{
    makeHelp(QStringLiteral("20290::The simulated pressures, heart rate and pulse pressure, and the "
                            "arrhythmia the NB-4410 adds to the simulation."));
    makeTestGuideSettings(m_fraSettings);
    m_fraSelections->setObjectName(QStringLiteral("fraSelections"));
    m_lstArrSim->setObjectName(QStringLiteral("lstArrSim"));

    auto* grid = new QGridLayout(m_fraParams);
    for (int row = 0; row < kRows; ++row) {
        auto* label = new QLabel(QString::fromLatin1(rowField(row).editor.caption), m_fraParams);
        auto* text = new QLineEdit(m_fraParams);
        label->setObjectName(QStringLiteral("lblConfig_%1").arg(row));
        text->setObjectName(QStringLiteral("txtConfig_%1").arg(row));
        text->setToolTip(QString::fromLatin1(rowField(row).editor.toolTip));
        text->installEventFilter(this);
        grid->addWidget(label, row, 0);
        grid->addWidget(text, row, 1);
        m_label[static_cast<size_t>(row)] = label;
        m_text[static_cast<size_t>(row)] = text;
        connect(text, &QLineEdit::textChanged, this, [this, row] { valueTyped(row); });
    }
    auto* selections = new QVBoxLayout(m_fraSelections);
    selections->addWidget(m_lstArrSim);
    connect(m_lstArrSim, &QComboBox::currentIndexChanged, this, [this](int index) { arrhythmiaChosen(index); });
    layOut(m_fraSelections);

    translate();
    runStep("arrhythmia list", [&] { fillArrhythmiaList(); });
}

void XConfigIBP::fillArrhythmiaList()
{
    const QSignalBlocker quiet(m_lstArrSim);
    m_lstArrSim->clear();
    const ostrel::RegistryKeyPtr key = MConfigBP::OpenKey(QString::fromLatin1(MConfigBP::kArrhythmiaKey));
    if (!key)
        return;
    for (int i = 1; i <= key->SubKeyCount(); ++i)
        runStep("arrhythmia entry", [&] {
            const ostrel::RegistryKeyPtr entry = key->SubKey(QString::number(i));
            if (!entry)
                return;
            const QString name = entry->Text(QString::fromLatin1(MConfigBP::kNameValue));
            const std::int32_t id = ostrel::roundToLong(entry->Value(QString::fromLatin1(MConfigBP::kIdValue)).val());
            if (name.isEmpty() || id < 1)
                return;
            m_lstArrSim->addItem(ostrel::tr4410(name), id);
        });
    m_lstArrSim->setCurrentIndex(-1);
}

void XConfigIBP::lockControls(bool locked)
{
    for (QLineEdit* text : m_text)
        text->setReadOnly(locked);
    m_lstArrSim->setEnabled(!locked);
}

void XConfigIBP::clearShown()
{
    for (QLineEdit* text : m_text)
        text->clear();
}

void XConfigIBP::showHeld()
{
    for (int row = 0; row < kRows; ++row)
        m_text[static_cast<size_t>(row)]->setText(valueText(rowField(row).key, rowField(row).editor.format));
    m_lstArrSim->setCurrentIndex(m_lstArrSim->findData(static_cast<int>(m_configuration->ArrhythmiaSim())));
}

void XConfigIBP::SetFocus()
{
    runStep("focus", [&] { m_text[0]->setFocus(); });
}

void XConfigIBP::valueTyped(int row)
{
    if (m_initialising || m_busy)
        return;
    m_busy = true;
    runStep("store value", [&] {
        if (!m_configuration)
            return;
        QString text = m_text[static_cast<size_t>(row)]->text();
        // A comma is read as the decimal point, as the box accepts both.
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        // An emptied box is no value: the configuration keeps its own.
        if (text.trimmed().isEmpty())
            return;
        m_configuration->StorePresetValue(RowKey(row), ostrel::Variant(static_cast<float>(ostrel::leadingNumber(text))));
        notifyChange();
    });
    m_busy = false;
}

void XConfigIBP::arrhythmiaChosen(int index)
{
    if (m_initialising || index < 0)
        return;
    runStep("store arrhythmia", [&] {
        if (!m_configuration)
            return;
        m_configuration->SetArrhythmiaSim(ostrel::Variant(m_lstArrSim->itemData(index).toInt()).toByte());
        notifyChange();
    });
}

bool XConfigIBP::eventFilter(QObject* watched, QEvent* event)
{
    auto* text = qobject_cast<QLineEdit*>(watched);
    if (text && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, text, &QLineEdit::selectAll);
    if (text && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        // Control keys pass, Delete (U+007F on a real keyboard) with them; of the characters
        // only digits and the decimal signs do.
        if (!typed.isEmpty() && !isControlKey(typed.at(0)) && !kAllowedKeys.contains(typed.at(0)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace nb4410
