#include "XResultView.h"

#include "CMeasurement.h"

#include "host/contract/IMeasurement.h"
#include "host/contract/IResultData.h"
#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XResultView", XResultView)

using ostrel::runStep;
using ostrel::Variant;

namespace {
const QString kBlank = QStringLiteral(" ");

// Room beside a name for the item's own margins.
constexpr int kNameMarginPx = 16;

const XResultTable::Column kColumns[] = {{"20950::Settings", 2295, Qt::AlignLeft},
                                         {"231::Value", 1440, Qt::AlignRight},
                                         {"232::High limit", 1440, Qt::AlignRight},
                                         {"233::Low limit", 1440, Qt::AlignRight}};
} // namespace

XResultView::XResultView(QWidget* parent) : XResultTable(parent, kColumns)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

void XResultView::Clear()
{
    runStep("clear rows", [&] {
        m_list->clear();
        m_tags.clear();
    });
}

void XResultView::ShowTestResult(std::shared_ptr<ostrel::IResultData> result) { showResult(result); }

void XResultView::showMeasurement(const std::shared_ptr<ostrel::IMeasurement>& measurement)
{
    const QString key = measurement->Key();
    QTreeWidgetItem* row = Row(key);
    if (!row) {
        row = new QTreeWidgetItem(m_list, QStringList{measurement->Description(), kBlank, kBlank, kBlank});
        row->setData(0, Qt::UserRole, key);
        for (int i = 1; i < 4; ++i)
            row->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
        // A long name ("Monitor Release Pressure") widens its column rather than being cut off.
        const int needed = m_list->fontMetrics().horizontalAdvance(row->text(0)) + kNameMarginPx;
        if (m_list->columnWidth(0) < needed)
            m_list->setColumnWidth(0, needed);
    }
    const Variant value = measurement->Value();
    const std::int32_t status = measurement->Status();
    // Only a changed value is written, so that polling redraws only what moved.
    if (!m_tags.contains(key) || m_tags.value(key) != value) {
        m_tags.insert(key, value);
        QString text;
        if (status != 0 && measurement->ValueType() == CMeasurement::kYesNo) {
            text = measurement->ReadableValue();
        } else if (status != 0) {
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

void XResultView::ShowLimits(std::shared_ptr<ostrel::ILimitData> limits, std::shared_ptr<ostrel::IStandards> selected)
{
    m_limits->Show(limits, selected);
}

} // namespace nb4410
