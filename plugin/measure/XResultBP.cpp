#include "XResultBP.h"

#include "CMeasurement.h"

#include "host/contract/IMeasurement.h"
#include "host/contract/IResultData.h"
#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/widgets/WidgetTranslator.h"
#include "host/core/Steps.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XResultBP", XResultBP)

using ostrel::runStep;
using ostrel::Variant;

namespace {
const QString kBlank = QStringLiteral(" ");
const QString kAllowedKeys = QStringLiteral("0123456789,.-+");
// Marks the "val" cell of a row whose reading is "no reading" (its text is no number).
constexpr int kNoReadingRole = Qt::UserRole + 1;

const XResultTable::Column kColumnSpecs[XResultBP::kColumns] = {{"20950::Settings", 2295, Qt::AlignLeft},
                                                                 {"20651::Preset Value", 1440, Qt::AlignRight},
                                                                 {"232::High limit", 1440, Qt::AlignRight},
                                                                 {"233::Low limit", 1440, Qt::AlignRight},
                                                                 {"235::Recorded value", 1440, Qt::AlignRight}};

// A typed reading: the number of the text, a comma standing for the decimal point as many
// monitors and keyboards write it. A reading is a number or nothing: a lone sign or point
// (the start of a number being typed) is no reading yet.
std::optional<float> readingOf(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    if (ok && std::isfinite(value))
        return value;
    return std::nullopt;
}
} // namespace

XResultBP::XResultBP(QWidget* parent)
    : XResultTable(parent, kColumnSpecs), m_edit(new QLineEdit(m_list->viewport())), m_noReading(new QPushButton(this))
{
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_edit->setObjectName(QStringLiteral("txtEdit"));
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->hide();
    m_edit->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, [this] { editChanged(); });

    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row, int column) {
        if (column == kValueColumn)
            BeginEdit(row);
    });
    connect(m_list->header(), &QHeaderView::sectionClicked, m_edit, &QLineEdit::hide);

    // Alt+N from the edit box; the button never takes the focus from the reading being typed.
    m_noReading->setObjectName(QStringLiteral("cmdNoReading"));
    m_noReading->setText(QStringLiteral("&") + ostrel::tr4410(QLatin1String(CMeasurement::kNoReadingText)));
    m_noReading->setToolTip(QStringLiteral("The monitor showed no reading: this measurement fails."));
    m_noReading->setFocusPolicy(Qt::NoFocus);
    m_noReading->setEnabled(false);
    connect(m_noReading, &QPushButton::clicked, this, [this] { runStep("no reading", [&] { RecordNoReading(); }); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addWidget(m_noReading, 0, Qt::AlignLeft);

    runStep("translate view", [&] { ostrel::WidgetTranslator::Translate(this, QStringLiteral("NB-4410")); });
    raiseEvent(kEventEnableNextButton, ostrel::VariantArray{Variant(false)});
}

void XResultBP::Clear()
{
    runStep("clear rows", [&] {
        m_edit->hide();
        m_list->clear();
    });
}

void XResultBP::ShowTestResult(std::shared_ptr<ostrel::IResultData> result)
{
    m_result = result;
    showResult(result);
    updateNextButton();
}

void XResultBP::showMeasurement(const std::shared_ptr<ostrel::IMeasurement>& measurement)
{
    const QString key = measurement->Key();
    QTreeWidgetItem* row = Row(key);
    if (!row) {
        row = new QTreeWidgetItem(m_list, QStringList{measurement->Description(), kBlank, kBlank, kBlank, kBlank});
        row->setData(0, Qt::UserRole, key);
        for (int i = 1; i < kColumns; ++i)
            row->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    const Variant preset = measurement->PresetValue();
    QString presetText;
    if (!preset.isEmpty() && !preset.text().isEmpty())
        presetText = preset.text() + QLatin1Char(' ') + measurement->Unit();
    row->setText(kPresetColumn, presetText.isEmpty() ? kBlank : presetText);

    const std::int32_t status = measurement->Status();
    QString valueText;
    const bool noReading = measurement->Flags().contains(QLatin1Char(CMeasurement::kNoReadingFlag));
    row->setData(kValueColumn, kNoReadingRole, noReading);
    if (noReading) {
        valueText = ostrel::tr4410(QLatin1String(CMeasurement::kNoReadingText));
    } else if (status != 0) {
        const QString formatted = ostrel::formatNumber(measurement->Value().val(), measurement->ValueFormat());
        if (!formatted.isEmpty())
            valueText = formatted + QLatin1Char(' ') + measurement->Unit();
    }
    row->setText(kValueColumn, valueText.isEmpty() ? kBlank : valueText);
    setRowStyle(row, status);
}

void XResultBP::ShowLimits(std::shared_ptr<ostrel::ILimitData> limits, std::shared_ptr<ostrel::IStandards> selected)
{
    m_limitData = limits;
    m_selectedStandards = selected;
    m_limits->Show(limits, selected);
}

std::int32_t XResultBP::previewStatus(const CMeasurement& measurement) const
{
    if (!m_limitData)
        return 0;
    // Judged on a copy: the result is judged when the technician goes on, not while typing.
    auto probe = std::make_shared<CMeasurement>(measurement);
    return probe->UpdateStatus(m_limitData, m_selectedStandards);
}

void XResultBP::StartEditing()
{
    runStep("start editing", [&] {
        if (QTreeWidgetItem* first = m_list->topLevelItem(0))
            BeginEdit(first);
    });
}

void XResultBP::placeEditBox(QTreeWidgetItem* row)
{
    const QRect rowRect = m_list->visualItemRect(row);
    const int left = m_list->header()->sectionViewportPosition(kValueColumn);
    m_edit->setGeometry(left, rowRect.top(), m_list->columnWidth(kValueColumn), rowRect.height());
}

void XResultBP::BeginEdit(QTreeWidgetItem* row)
{
    runStep("begin edit", [&] {
        if (!row)
            row = m_list->currentItem();
        if (!row)
            return;
        m_list->setCurrentItem(row);
        placeEditBox(row);
        // The number without its unit ("no reading" has none); filling the box is no edit.
        m_editSuppressed = true;
        const bool noReading = row->data(kValueColumn, kNoReadingRole).toBool();
        m_edit->setText(noReading ? QString() : row->text(kValueColumn).section(QLatin1Char(' '), 0, 0));
        m_editSuppressed = false;
        m_edit->show();
        m_noReading->setEnabled(true);
        m_edit->setFocus();
        m_edit->selectAll();
    });
}

std::shared_ptr<CMeasurement> XResultBP::measurementOf(const QTreeWidgetItem* row) const
{
    if (!row || !m_result)
        return nullptr;
    return std::dynamic_pointer_cast<CMeasurement>(m_result->Measurement(Variant(row->data(0, Qt::UserRole).toString())));
}

void XResultBP::editChanged()
{
    if (m_editSuppressed)
        return;
    runStep("take reading", [&] {
        QTreeWidgetItem* row = m_list->currentItem();
        const auto measurement = measurementOf(row);
        if (!measurement)
            return;
        const std::optional<float> value = readingOf(m_edit->text());
        // Typing replaces a "no reading".
        measurement->SetNoReading(false);
        row->setData(kValueColumn, kNoReadingRole, false);
        // A reading left empty is what keeps the "I" flag of result entry.
        if (!value) {
            measurement->SetValue(Variant());
            measurement->AddFlag(QString(QLatin1Char(CMeasurement::kIncompleteFlag)));
            row->setText(kValueColumn, QString());
        } else {
            measurement->SetValue(Variant(*value));
            measurement->RemoveFlag(QLatin1Char(CMeasurement::kIncompleteFlag));
            row->setText(kValueColumn, ostrel::numberToText(*value) + QLatin1Char(' ') + measurement->Unit());
        }
        // A reading outside the limits is marked as it is typed.
        setRowStyle(row, value ? previewStatus(*measurement) : 0);
    });
    updateNextButton();
}

void XResultBP::RecordNoReading()
{
    QTreeWidgetItem* row = m_edit->isVisible() ? m_list->currentItem() : nullptr;
    const auto measurement = measurementOf(row);
    if (!measurement)
        return;
    measurement->SetNoReading(true);
    m_editSuppressed = true;
    m_edit->clear();
    m_editSuppressed = false;
    row->setData(kValueColumn, kNoReadingRole, true);
    row->setText(kValueColumn, ostrel::tr4410(QLatin1String(CMeasurement::kNoReadingText)));
    setRowStyle(row, ostrel::status::kFailed);
    updateNextButton();
    editKey(Qt::Key_Return, QString());
}

void XResultBP::nextRow()
{
    QTreeWidgetItem* row = m_list->currentItem();
    const int index = row ? m_list->indexOfTopLevelItem(row) : -1;
    if (index < 0 || index + 1 >= m_list->topLevelItemCount()) {
        m_edit->hide();
        m_noReading->setEnabled(false);
        m_lastRowPassed = true;
        return;
    }
    BeginEdit(m_list->topLevelItem(index + 1));
}

bool XResultBP::editKey(int key, const QString& text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        nextRow();
        if (m_lastRowPassed)
            raiseEvent(kEventKeyPress, ostrel::VariantArray{Variant(std::int16_t{kEnterKey})});
        return true;
    }
    if (key == Qt::Key_Backspace || text.isEmpty())
        return false;
    const QChar typed = text.at(0);
    // Editing keys without a character (arrows, delete) stay with the box.
    if (typed.unicode() < 32 || typed.unicode() == 127)
        return false;
    if (kAllowedKeys.contains(typed))
        return false;
    raiseEvent(kEventKeyPress, ostrel::VariantArray{Variant(static_cast<std::int16_t>(typed.unicode()))});
    return true;
}

bool XResultBP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            // The button's Alt+N, also where no shortcut reaches the box.
            if (key->key() == Qt::Key_N && (key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
                runStep("no reading", [&] { RecordNoReading(); });
                return true;
            }
            bool swallowed = false;
            runStep("edit key", [&] { swallowed = editKey(key->key(), key->text()); });
            return swallowed;
        }
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, m_edit, &QLineEdit::selectAll);
    } else if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        m_edit->hide();
    }
    return QWidget::eventFilter(watched, event);
}

bool XResultBP::AllEntered() const
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->text(kValueColumn).size() < 2)
            return false;
    return true;
}

void XResultBP::updateNextButton()
{
    raiseEvent(kEventEnableNextButton, ostrel::VariantArray{Variant(AllEntered())});
}

} // namespace nb4410
