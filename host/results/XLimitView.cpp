#include "host/results/XLimitView.h"

#include "host/contract/ICallback.h"
#include "host/contract/ILimitData.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/widgets/WidgetTranslator.h"
#include "host/core/Steps.h"
#include "host/results/LimitItem.h"
#include "host/core/BasicNumber.h"

#include <QComboBox>
#include <cmath>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ostrel {

OSTREL_REGISTER_CONTROL(XLimitView::kProgId, XLimitView)

namespace {

constexpr char kModule[] = "Ostrel";

// Digits with an optional sign and one decimal point or comma; anything else never reaches the box.
const QRegularExpression& numberPattern()
{
    static const QRegularExpression pattern(QStringLiteral("[-+]?[0-9]*([.,][0-9]*)?"));
    return pattern;
}

QString standardCaption(const std::shared_ptr<IStandard>& standard)
{
    return standard->FullName().isEmpty() ? standard->ShortName()
                                          : standard->ShortName() + QStringLiteral(" - ") + standard->FullName();
}

} // namespace

XLimitView::XLimitView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("XLimitView"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QGridLayout;
    auto* lblStandard = new QLabel(QStringLiteral("5010::Standard:"), this);
    lblStandard->setObjectName(QStringLiteral("lblStandard"));
    m_cboStandard = new QComboBox(this);
    m_cboStandard->setObjectName(QStringLiteral("cboStandard"));
    top->addWidget(lblStandard, 0, 0);
    top->addWidget(m_cboStandard, 0, 1, 1, 3);

    m_txtShortName = new QLineEdit(this);
    m_txtShortName->setObjectName(QStringLiteral("txtShortName"));
    m_txtShortName->setPlaceholderText(QStringLiteral("5011::Short name"));
    m_txtFullName = new QLineEdit(this);
    m_txtFullName->setObjectName(QStringLiteral("txtFullName"));
    m_txtFullName->setPlaceholderText(QStringLiteral("5012::Full name"));
    m_cmdNewStandard = new QPushButton(QStringLiteral("5013::New standard"), this);
    m_cmdNewStandard->setObjectName(QStringLiteral("cmdNewStandard"));
    top->addWidget(m_txtShortName, 1, 1);
    top->addWidget(m_txtFullName, 1, 2);
    top->addWidget(m_cmdNewStandard, 1, 3);
    layout->addLayout(top);

    m_grdLimits = new QTableWidget(0, 4, this);
    m_grdLimits->setObjectName(QStringLiteral("grdLimits"));
    m_grdLimits->setHorizontalHeaderLabels({LanguageService::instance().Translate(kModule, QStringLiteral("5014::Measurement")),
                                            LanguageService::instance().Translate(kModule, QStringLiteral("5003::Upper limit")),
                                            LanguageService::instance().Translate(kModule, QStringLiteral("5004::Lower limit")),
                                            LanguageService::instance().Translate(kModule, QStringLiteral("5005::Unit"))});
    m_grdLimits->horizontalHeader()->setSectionResizeMode(kColDescription, QHeaderView::Stretch);
    m_grdLimits->verticalHeader()->hide();
    m_grdLimits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_grdLimits, 1);

    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(m_lblStatus);

    WidgetTranslator::Translate(this, kModule);

    connect(m_cboStandard, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            SelectStandard(index);
    });
    connect(m_cmdNewStandard, &QPushButton::clicked, this, &XLimitView::CreateStandard);
    showStandard();
}

void XLimitView::AddRow(const QString& key, const QString& description, const QString& unitArgument,
                        const QString& unitChoices)
{
    const int row = static_cast<int>(m_rows.size());
    RowInfo info;
    info.key = key;
    info.defaultUnit = unitArgument.section(QLatin1Char(';'), 0, 0);
    m_grdLimits->insertRow(row);
    auto* caption = new QTableWidgetItem(description);
    caption->setToolTip(key);
    caption->setData(Qt::UserRole, key);
    m_grdLimits->setItem(row, kColDescription, caption);
    for (int index = 0; index < 2; ++index) {
        auto* box = new QLineEdit(m_grdLimits);
        box->setObjectName(QStringLiteral("txtLimit") + key + QLatin1Char('_') + QString::number(index));
        box->setValidator(new QRegularExpressionValidator(numberPattern(), box));
        box->setAlignment(Qt::AlignRight);
        connect(box, &QLineEdit::textEdited, this, [this, row, index] { limitEdited(row, index); });
        m_grdLimits->setCellWidget(row, index == 0 ? kColUpper : kColLower, box);
        info.limit[index] = box;
    }
    info.unit = new QComboBox(m_grdLimits);
    info.unit->setObjectName(QStringLiteral("cboUnit%1").arg(key));
    QStringList choices = unitChoices.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (!info.defaultUnit.isEmpty() && !choices.contains(info.defaultUnit))
        choices.prepend(info.defaultUnit);
    info.unit->addItems(choices);
    connect(info.unit, &QComboBox::activated, this, [this, row] { unitChosen(row); });
    m_grdLimits->setCellWidget(row, kColUnit, info.unit);
    m_rows.push_back(info);
    showStandard();
}

void XLimitView::SetLocked(bool locked)
{
    m_locked = locked;
    showStandard();
}

void XLimitView::Initialize(const Variant& data)
{
    m_limitData = data.as<ILimitData>();
    m_standard.reset();
    fillStandards();
    if (m_cboStandard->count() > 0)
        SelectStandard(0);
    else
        showStandard();
}

void XLimitView::Refresh()
{
    fillStandards();
    showStandard();
}

void XLimitView::SetFocus()
{
    if (!m_rows.empty() && m_rows.front().limit[0]->isEnabled())
        m_rows.front().limit[0]->setFocus();
    else
        m_cboStandard->setFocus();
}

void XLimitView::fillStandards()
{
    m_filling = true;
    m_cboStandard->clear();
    std::shared_ptr<IStandards> standards = m_limitData ? m_limitData->Standards() : nullptr;
    int current = -1;
    if (standards) {
        for (std::int32_t index = 0; index < standards->Count(); ++index) {
            const auto standard = standards->Item(index);
            m_cboStandard->addItem(standardCaption(standard));
            if (standard == m_standard)
                current = index;
        }
    }
    if (current < 0)
        m_standard.reset();
    m_cboStandard->setCurrentIndex(current);
    m_filling = false;
}

void XLimitView::SelectStandard(int index)
{
    m_standard.reset();
    runStep("select the standard", [&] {
        std::shared_ptr<IStandards> standards = m_limitData ? m_limitData->Standards() : nullptr;
        if (standards && index >= 0 && index < standards->Count())
            m_standard = standards->Item(index);
    });
    if (m_cboStandard->currentIndex() != index) {
        m_filling = true;
        m_cboStandard->setCurrentIndex(m_standard ? index : -1);
        m_filling = false;
    }
    showStandard();
}

void XLimitView::CreateStandard()
{
    if (m_locked || !m_limitData)
        return;
    const QString shortName = m_txtShortName->text().trimmed();
    const QString fullName = m_txtFullName->text().trimmed();
    if (shortName.isEmpty()) {
        m_lblStatus->setText(LanguageService::instance().Translate(kModule, QStringLiteral("5015::Type a short name for the new standard.")));
        return;
    }
    std::shared_ptr<IStandards> standards = m_limitData->Standards();
    if (standards && standards->Find(shortName, fullName)) {
        m_lblStatus->setText(LanguageService::instance().Translate(kModule, QStringLiteral("5016::This standard exists already.")));
        return;
    }
    std::shared_ptr<IStandard> created;
    const bool done = runStep("create a standard", [&] { created = m_limitData->CreateStandard(shortName, fullName); });
    if (!done || !created) {
        m_lblStatus->setText(LanguageService::instance().Translate(kModule, QStringLiteral("5017::The standard could not be created.")));
        return;
    }
    m_txtShortName->clear();
    m_txtFullName->clear();
    m_lblStatus->clear();
    m_standard = created;
    fillStandards();
    showStandard();
    notifyChange();
}

void XLimitView::showStandard()
{
    m_filling = true;
    const bool editable = m_standard && !m_locked;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        RowInfo& info = m_rows[row];
        std::shared_ptr<ILimitItem> item = itemFor(static_cast<int>(row), false);
        for (int index = 0; index < 2; ++index) {
            QString text;
            if (item && item->IsLimitSet(index))
                text = numberToText(item->Limit(index));
            info.limit[index]->setText(text);
            info.limit[index]->setEnabled(editable);
        }
        const QString unit = item && item->UnitFlag() == 0 && !item->Unit().isEmpty() ? item->Unit() : info.defaultUnit;
        if (info.unit->findText(unit) < 0)
            info.unit->addItem(unit);
        info.unit->setCurrentIndex(info.unit->findText(unit));
        info.unit->setEnabled(editable);
    }
    m_cboStandard->setEnabled(m_cboStandard->count() > 0);
    m_txtShortName->setEnabled(!m_locked && m_limitData);
    m_txtFullName->setEnabled(!m_locked && m_limitData);
    m_cmdNewStandard->setEnabled(!m_locked && m_limitData);
    m_filling = false;
}

std::shared_ptr<ILimitItem> XLimitView::itemFor(int row, bool create)
{
    if (!m_standard || row < 0 || row >= static_cast<int>(m_rows.size()))
        return nullptr;
    const RowInfo& info = m_rows[static_cast<size_t>(row)];
    for (const auto& item : m_standard->LimitItems()) {
        if (item->Key() == info.key)
            return item;
    }
    if (!create)
        return nullptr;
    auto item = std::make_shared<LimitItem>();
    item->Initialize(info.key, info.unit->currentText().isEmpty() ? info.defaultUnit : info.unit->currentText(),
                     QString(), QString());
    m_standard->AddLimitItem(item);
    return item;
}

void XLimitView::limitEdited(int row, int index)
{
    if (m_filling || m_locked)
        return;
    QString text = m_rows[static_cast<size_t>(row)].limit[index]->text().trimmed();
    bool changed = false;
    runStep("store a limit", [&] {
        auto item = itemFor(row, !text.isEmpty());
        if (!item)
            return;
        if (text.isEmpty()) {
            item->ClearLimit(index);
            changed = true;
            return;
        }
        bool ok = false;
        const double value = text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok || !std::isfinite(value)) // a sign or a point on its own: nothing to store yet
            return;
        const QString refusal = RefusalOf(item, index, value);
        m_lblStatus->setText(refusal);
        if (!refusal.isEmpty())
            return;
        item->SetLimit(index, value);
        changed = true;
    });
    if (changed)
        notifyChange();
}

QString XLimitView::RefusalOf(const std::shared_ptr<ILimitItem>& item, int index, double value)
{
    const int other = index == LimitItem::kUpper ? LimitItem::kLower : LimitItem::kUpper;
    if (!item->IsLimitSet(other))
        return QString();
    const double upper = index == LimitItem::kUpper ? value : item->Limit(other);
    const double lower = index == LimitItem::kLower ? value : item->Limit(other);
    if (lower <= upper)
        return QString();
    return tr("The lower limit %1 is above the upper limit %2 of %3: it is not stored.")
        .arg(numberToText(lower), numberToText(upper), item->Key());
}

void XLimitView::unitChosen(int row)
{
    if (m_filling || m_locked)
        return;
    bool changed = false;
    runStep("store a unit", [&] {
        auto item = itemFor(row, true);
        if (!item)
            return;
        item->SetUnit(m_rows[static_cast<size_t>(row)].unit->currentText());
        item->SetUnitFlag(0);
        changed = true;
    });
    if (changed)
        notifyChange();
}

void XLimitView::notifyChange()
{
    if (m_callback)
        runStep("tell the host of a limit change", [&] { m_callback->Notify(QStringLiteral("Change"), Variant(VariantArray())); });
}

QLineEdit* XLimitView::LimitBox(int row, int index) const
{
    return m_rows.at(static_cast<size_t>(row)).limit[index];
}

QComboBox* XLimitView::UnitBox(int row) const
{
    return m_rows.at(static_cast<size_t>(row)).unit;
}

} // namespace ostrel
