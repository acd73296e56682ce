#include "XTestGuideStatusBar.h"

#include "host/contract/ResultStatus.h"
#include "host/core/ClassTable.h"

#include <QHBoxLayout>
#include <QLabel>

namespace ostrel {

OSTREL_REGISTER_CONTROL("Korvu_TestGuideCtlLib.XTestGuideStatusBar", XTestGuideStatusBar)

namespace {
QString statusName(std::int32_t number)
{
    switch (number) {
    case 1: return QStringLiteral("Passed");
    case 2: return QStringLiteral("Failed");
    case 3: return QStringLiteral("Not applicable");
    case status::kIncomplete: return QStringLiteral("Incomplete");
    case status::kNotJudged: return QStringLiteral("Not judged");
    case status::kRunning: return QStringLiteral("Running");
    default: return QStringLiteral("Not evaluated");
    }
}
} // namespace

XTestGuideStatusBar::XTestGuideStatusBar(QWidget* parent)
    : QWidget(parent), m_statusLabel(new QLabel(this)), m_standardLabel(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_statusLabel->setObjectName(QStringLiteral("lblStatus"));
    m_standardLabel->setObjectName(QStringLiteral("lblStandard"));
    m_standardLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_statusLabel, 1);
    layout->addWidget(m_standardLabel, 1);
    SetStatus(0);
}

void XTestGuideStatusBar::SetStatus(std::int32_t status, const Variant& further)
{
    m_status = status;
    const QString extra = further.text();
    m_statusLabel->setText(extra.isEmpty() ? statusName(status) : statusName(status) + QStringLiteral(" - ") + extra);
}

QString XTestGuideStatusBar::StatusText() const { return m_statusLabel->text(); }

void XTestGuideStatusBar::SetStandard(const QString& shortName, const QString& fullName)
{
    m_shortName = shortName;
    m_fullName = fullName;
    m_standardLabel->setText(shortName);
    m_standardLabel->setToolTip(fullName);
}

} // namespace ostrel
