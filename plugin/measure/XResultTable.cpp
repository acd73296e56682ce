#include "XResultTable.h"

#include "host/contract/IResultData.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"

#include <QTreeWidget>

namespace nb4410 {

namespace {
const QColor kFailedColour(128, 0, 0);
} // namespace

XResultTable::XResultTable(QWidget* parent, std::span<const Column> columns)
    : QWidget(parent), m_list(new QTreeWidget(this)),
      m_limits(new CStandardLimits(this, m_list, kHighColumn, kLowColumn,
                                   [this](const char* name, const ostrel::VariantArray& params) { raiseEvent(name, params); }))
{
    m_list->setObjectName(QStringLiteral("lvwResult"));
    m_list->setRootIsDecorated(false);
    m_list->hide();
    m_list->setColumnCount(static_cast<int>(columns.size()));
    QStringList headers;
    for (const Column& column : columns)
        headers << ostrel::tr4410(QString::fromLatin1(column.header));
    m_list->setHeaderLabels(headers);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        m_list->setColumnWidth(i, columns[static_cast<size_t>(i)].widthTwips / kTwipsPerPixel);
        m_list->headerItem()->setTextAlignment(i, columns[static_cast<size_t>(i)].alignment | Qt::AlignVCenter);
    }
    m_list->show();
}

void XResultTable::showResult(const std::shared_ptr<ostrel::IResultData>& result)
{
    m_limits->SetResult(result);
    if (!result)
        return;
    std::int32_t count = 0;
    ostrel::runStep("measurement count", [&] { count = result->MeasurementCount(); });
    for (std::int32_t i = 1; i <= count; ++i)
        ostrel::runStep("show measurement", [&] {
            if (auto measurement = result->Measurement(ostrel::Variant(i)))
                showMeasurement(measurement);
        });
}

void XResultTable::raiseEvent(const char* name, const ostrel::VariantArray& params)
{
    if (m_handler)
        ostrel::runStep(name, [&] { m_handler(QString::fromLatin1(name), params); });
}

QTreeWidgetItem* XResultTable::Row(const QString& key) const
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
            return m_list->topLevelItem(i);
    return nullptr;
}

void XResultTable::setRowStyle(QTreeWidgetItem* row, std::int32_t status)
{
    const bool failed = status == 2;
    const QColor colour = failed ? kFailedColour : palette().color(QPalette::WindowText);
    for (int i = 0; i < m_list->columnCount(); ++i) {
        row->setForeground(i, colour);
        QFont font = row->font(i);
        font.setBold(failed);
        row->setFont(i, font);
    }
}

} // namespace nb4410
