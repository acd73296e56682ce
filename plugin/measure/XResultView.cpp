#include "XResultView.h"

#include "host/contract/ILimitData.h"
#include "host/contract/IMeasurement.h"
#include "host/contract/IResultData.h"
#include "host/contract/IStandards.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <limits>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XResultView", XResultView)

using ostrel::runStep;
using ostrel::Variant;

namespace {
const QColor kFailedColour(128, 0, 0);
const QString kBlank = QStringLiteral(" ");
const QString kPercent = QStringLiteral("%");

struct ColumnSpec {
    const char* header;
    int widthTwips;
    Qt::Alignment alignment;
};
const ColumnSpec kColumns[] = {{"20950::Settings", 2295, Qt::AlignLeft},
                               {"231::Value", 1440, Qt::AlignRight},
                               {"232::High limit", 1440, Qt::AlignRight},
                               {"233::Low limit", 1440, Qt::AlignRight}};
} // namespace

XResultView::XResultView(QWidget* parent)
    : QWidget(parent), m_list(new QTreeWidget(this)), m_menu(new QMenu(this))
{
    m_list->setObjectName(QStringLiteral("lvwResult"));
    m_list->setRootIsDecorated(false);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->hide();
    m_list->setColumnCount(4);
    QStringList headers;
    for (const ColumnSpec& column : kColumns)
        headers << ostrel::tr4410(QString::fromLatin1(column.header));
    m_list->setHeaderLabels(headers);
    for (int i = 0; i < 4; ++i) {
        m_list->setColumnWidth(i, kColumns[i].widthTwips / kTwipsPerPixel);
        m_list->headerItem()->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
    }
    m_list->show();

    m_menu->setObjectName(QStringLiteral("mnuStdList"));
    m_caption = m_menu->addAction(QStringLiteral("Selected Standards"));
    m_caption->setObjectName(QStringLiteral("mnuCaption"));
    m_menu->setDefaultAction(m_caption);
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuLine1"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuLine2"));
    m_calculateLimits = m_menu->addAction(QStringLiteral("&Show calculated limits"));
    m_calculateLimits->setObjectName(QStringLiteral("mnuCalculateLimits"));
    m_calculateLimits->setCheckable(true);
    m_calculateLimits->setChecked(true);
    connect(m_calculateLimits, &QAction::triggered, this, [this] { ToggleCalculatedLimits(); });
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (MenuAvailable())
            m_menu->popup(m_list->viewport()->mapToGlobal(at), m_caption);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

void XResultView::raiseEvent(const char* name, const ostrel::VariantArray& params)
{
    if (m_handler)
        runStep(name, [&] { m_handler(QString::fromLatin1(name), params); });
}

QTreeWidgetItem* XResultView::Row(const QString& key) const
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
            return m_list->topLevelItem(i);
    return nullptr;
}

void XResultView::Clear()
{
    runStep("clear rows", [&] {
        m_list->clear();
        m_tags.clear();
    });
}

void XResultView::ShowTestResult(std::shared_ptr<ostrel::IResultData> result)
{
    m_result = result;
    if (!result)
        return;
    std::int32_t count = 0;
    runStep("measurement count", [&] { count = result->MeasurementCount(); });
    for (std::int32_t i = 1; i <= count; ++i)
        runStep("show measurement", [&] {
            if (auto measurement = result->Measurement(Variant(i)))
                showMeasurement(measurement);
        });
}

void XResultView::showMeasurement(const std::shared_ptr<ostrel::IMeasurement>& measurement)
{
    const QString key = measurement->Key();
    QTreeWidgetItem* row = Row(key);
    if (!row) {
        row = new QTreeWidgetItem(m_list, QStringList{measurement->Description(), kBlank, kBlank, kBlank});
        row->setData(0, Qt::UserRole, key);
        for (int i = 1; i < 4; ++i)
            row->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    const Variant value = measurement->Value();
    const std::int32_t status = measurement->Status();
    // Only a changed value is written, so that polling redraws only what moved.
    if (!m_tags.contains(key) || m_tags.value(key) != value) {
        m_tags.insert(key, value);
        QString text;
        if (status != 0) {
            const QString formatted = ostrel::formatNumber(value.val(), measurement->ValueFormat());
            if (!formatted.isEmpty())
                text = formatted + QLatin1Char(' ') + measurement->Unit();
        }
        row->setText(kValueColumn, text.isEmpty() ? kBlank : text);
        if (status != 0)
            raiseEvent(kEventEnableNextButton, ostrel::VariantArray{Variant(true)});
    }
    setRowStyle(row, status);
}

void XResultView::setRowStyle(QTreeWidgetItem* row, std::int32_t status)
{
    const bool failed = status == 2;
    const QColor colour = failed ? kFailedColour : palette().color(QPalette::WindowText);
    for (int i = 0; i < 4; ++i) {
        row->setForeground(i, colour);
        QFont font = row->font(i);
        font.setBold(failed);
        row->setFont(i, font);
    }
}

void XResultView::clearStandardItems()
{
    for (QAction* item : m_standardItems) {
        m_menu->removeAction(item);
        delete item;
    }
    m_standardItems.clear();
    m_currentStandard = 0;
}

void XResultView::ShowLimits(std::shared_ptr<ostrel::ILimitData> limits, std::shared_ptr<ostrel::IStandards> selected)
{
    runStep("kept standards", [&] { m_standards = limits ? limits->Standards() : nullptr; });
    runStep("standards menu", [&] {
        clearStandardItems();
        if (!selected || !m_standards)
            return;
        QAction* before = m_menu->actions().value(m_menu->actions().indexOf(m_calculateLimits) - 1);
        for (std::int32_t i = 0; i < selected->Count(); ++i) {
            auto wanted = selected->Item(i);
            if (!wanted)
                continue;
            auto found = m_standards->Find(wanted->ShortName(), wanted->FullName());
            if (!found)
                continue;
            auto* item = new QAction(wanted->ShortName(), m_menu);
            const int number = static_cast<int>(m_standardItems.size()) + 1;
            item->setObjectName(QStringLiteral("mnuStandards_%1").arg(number));
            item->setData(wanted->FullName());
            item->setCheckable(true);
            // A standard without a full name is never offered.
            item->setVisible(!wanted->FullName().isEmpty());
            m_menu->insertAction(before, item);
            m_standardItems.push_back(item);
            connect(item, &QAction::triggered, this, [this, number] { ChooseStandard(number); });
            if (number == 1) {
                item->setChecked(true);
                showStandardLimits(wanted->ShortName(), wanted->FullName());
            }
        }
    });
}

bool XResultView::MenuAvailable() const
{
    return std::any_of(m_standardItems.begin(), m_standardItems.end(), [](QAction* a) { return a->isVisible(); });
}

void XResultView::showStandardLimits(const QString& shortName, const QString& fullName)
{
    if (!m_standards)
        return;
    auto standard = m_standards->Find(shortName, fullName);
    if (!standard)
        return;
    const auto items = standard->LimitItems();
    for (int r = 0; r < m_list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* row = m_list->topLevelItem(r);
        const QString key = row->data(0, Qt::UserRole).toString();
        if (key.isEmpty())
            continue;
        runStep("limit texts", [&] {
            // Per key the strictest limits: the smallest upper and the largest lower one.
            float upper = std::numeric_limits<float>::max();
            float lower = std::numeric_limits<float>::lowest();
            QString upperUnit;
            QString lowerUnit;
            bool hasUpper = false;
            bool hasLower = false;
            for (const auto& item : items) {
                if (!item || item->Key() != key)
                    continue;
                const QString unit = item->UnitFlag() == 0 ? item->Unit() : QString();
                if (item->IsLimitSet(0) && (!hasUpper || item->Limit(0) < upper)) {
                    upper = item->Limit(0);
                    upperUnit = unit;
                    hasUpper = true;
                }
                if (item->IsLimitSet(1) && (!hasLower || item->Limit(1) > lower)) {
                    lower = item->Limit(1);
                    lowerUnit = unit;
                    hasLower = true;
                }
            }
            row->setText(kHighColumn, hasUpper ? formatLimit(key, upper, upperUnit) : kBlank);
            row->setText(kLowColumn, hasLower ? formatLimit(key, lower, lowerUnit) : kBlank);
            row->setToolTip(kHighColumn, fullName);
            row->setToolTip(kLowColumn, fullName);
        });
    }
    raiseEvent(kEventStandardSelected, ostrel::VariantArray{Variant(shortName), Variant(fullName)});
}

QString XResultView::formatLimit(const QString& key, float value, QString unit) const
{
    std::shared_ptr<ostrel::IMeasurement> measurement;
    runStep("limit measurement", [&] {
        if (m_result)
            measurement = m_result->Measurement(Variant(key));
    });
    if (measurement) {
        if (unit.isEmpty())
            unit = measurement->Unit();
        else if (unit == kPercent && m_calculatedLimits) {
            value = static_cast<float>(measurement->PresetValue().val()) * (value / 100.0f + 1.0f);
            unit = measurement->Unit();
        }
    }
    QString text = ostrel::numberToText(value) + QLatin1Char(' ') + unit;
    if (unit == kPercent && value > 0)
        text.prepend(QLatin1Char('+'));
    return text;
}

void XResultView::ToggleCalculatedLimits()
{
    m_calculatedLimits = !m_calculatedLimits;
    m_calculateLimits->setChecked(m_calculatedLimits);
    for (QAction* item : m_standardItems)
        if (item->isChecked()) {
            showStandardLimits(item->text(), item->data().toString());
            break;
        }
}

void XResultView::ChooseStandard(int number)
{
    if (number < 1 || number > static_cast<int>(m_standardItems.size()))
        return;
    const int current = m_currentStandard == 0 ? 1 : m_currentStandard;
    m_standardItems[static_cast<size_t>(current - 1)]->setChecked(false);
    QAction* chosen = m_standardItems[static_cast<size_t>(number - 1)];
    chosen->setChecked(false);
    if (!chosen->text().isEmpty() && !chosen->data().toString().isEmpty()) {
        chosen->setChecked(true);
        showStandardLimits(chosen->text(), chosen->data().toString());
    }
    m_currentStandard = number;
}

} // namespace nb4410
