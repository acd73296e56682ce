#include "CStandardLimits.h"

#include "INB4410ResultView.h"

#include "host/contract/ILimitData.h"
#include "host/contract/IMeasurement.h"
#include "host/contract/IResultData.h"
#include "host/contract/IStandards.h"
#include "host/core/Steps.h"
#include "host/results/LimitRule.h"

#include <QMenu>
#include <QTreeWidget>
#include <algorithm>
#include <optional>

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

namespace {
const QString kBlank = QStringLiteral(" ");
const QString kPercent = QStringLiteral("%");
} // namespace

CStandardLimits::CStandardLimits(QWidget* owner, QTreeWidget* list, int highColumn, int lowColumn, RaiseEvent raise)
    : QObject(owner), m_list(list), m_highColumn(highColumn), m_lowColumn(lowColumn), m_raise(std::move(raise)),
      m_menu(new QMenu(owner))
{
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
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (MenuAvailable())
            m_menu->popup(m_list->viewport()->mapToGlobal(at), m_caption);
    });
}

void CStandardLimits::clearStandardItems()
{
    for (QAction* item : m_standardItems) {
        m_menu->removeAction(item);
        delete item;
    }
    m_standardItems.clear();
    m_currentStandard = 0;
}

void CStandardLimits::Show(const std::shared_ptr<ostrel::ILimitData>& limits,
                           const std::shared_ptr<ostrel::IStandards>& selected)
{
    runStep("kept standards", [&] { m_standards = limits ? limits->Standards() : nullptr; });
    runStep("standards menu", [&] {
        clearStandardItems();
        if (!selected || !m_standards)
            return;
        QAction* before = m_menu->actions().value(m_menu->actions().indexOf(m_calculateLimits) - 1);
        for (std::int32_t i = 0; i < selected->Count(); ++i) {
            auto wanted = selected->Item(i);
            if (!wanted || !m_standards->Find(wanted->ShortName(), wanted->FullName()))
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

bool CStandardLimits::MenuAvailable() const
{
    return std::any_of(m_standardItems.begin(), m_standardItems.end(), [](QAction* a) { return a->isVisible(); });
}

void CStandardLimits::showStandardLimits(const QString& shortName, const QString& fullName)
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
            std::optional<double> upper;
            std::optional<double> lower;
            QString upperUnit;
            QString lowerUnit;
            for (const auto& item : items) {
                if (!item || item->Key() != key)
                    continue;
                const QString unit = item->UnitFlag() == 0 ? item->Unit() : QString();
                if (item->IsLimitSet(0) && (!upper || item->Limit(0) < *upper)) {
                    upper = item->Limit(0);
                    upperUnit = unit;
                }
                if (item->IsLimitSet(1) && (!lower || item->Limit(1) > *lower)) {
                    lower = item->Limit(1);
                    lowerUnit = unit;
                }
            }
            row->setText(m_highColumn, upper ? formatLimit(key, *upper, upperUnit) : kBlank);
            row->setText(m_lowColumn, lower ? formatLimit(key, *lower, lowerUnit) : kBlank);
            row->setToolTip(m_highColumn, fullName);
            row->setToolTip(m_lowColumn, fullName);
        });
    }
    if (m_raise)
        m_raise(kEventStandardSelected, ostrel::VariantArray{Variant(shortName), Variant(fullName)});
}

QString CStandardLimits::formatLimit(const QString& key, double value, QString unit) const
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
            // A calculated limit is the number the measurement is judged against, at its own
            // precision: 120 mmHg + 5 % reads "126 mmHg", 150 mmHg + 5 % "157.5 mmHg".
            const double preset = ostrel::LimitRule::ValueOf(measurement->PresetValue());
            const double calculated = ostrel::LimitRule::Absolute(value, true, preset);
            return ostrel::LimitRule::Text(calculated) + QLatin1Char(' ') + measurement->Unit();
        }
    }
    QString text = ostrel::LimitRule::Text(value) + QLatin1Char(' ') + unit;
    if (unit == kPercent && value > 0)
        text.prepend(QLatin1Char('+'));
    return text;
}

void CStandardLimits::ToggleCalculatedLimits()
{
    m_calculatedLimits = !m_calculatedLimits;
    m_calculateLimits->setChecked(m_calculatedLimits);
    for (QAction* item : m_standardItems)
        if (item->isChecked()) {
            showStandardLimits(item->text(), item->data().toString());
            break;
        }
}

void CStandardLimits::ChooseStandard(int number)
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
