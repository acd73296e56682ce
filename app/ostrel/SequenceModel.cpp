#include "SequenceModel.h"

#include "SequenceDocument.h"
#include "SequenceResults.h"

#include "host/contract/ITestElement.h"
#include "host/core/Steps.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace ostrel {

namespace {
constexpr int kIconPx = 16;
constexpr int kMarkPx = 12;
constexpr int kGapPx = 4;
} // namespace

SequenceModel::SequenceModel(QObject* parent) : QAbstractListModel(parent) {}

void SequenceModel::SetDocument(const SequenceDocument* document, IconOf iconOf)
{
    beginResetModel();
    m_document = document;
    m_iconOf = std::move(iconOf);
    m_skipped.clear();
    endResetModel();
}

void SequenceModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void SequenceModel::RefreshRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex at = index(row);
    emit dataChanged(at, at);
}

void SequenceModel::MarkSkipped(int row, bool skipped)
{
    if (row < 0 || row >= rowCount())
        return;
    const ITestElement* element = m_document->Entry(row).element.get();
    if (skipped)
        m_skipped.insert(element);
    else
        m_skipped.erase(element);
    RefreshRow(row);
}

SequenceModel::RowState SequenceModel::stateOf(int row) const
{
    const SequenceEntry& entry = m_document->Entry(row);
    const ElementResult result =
        SequenceResults::ForElement(entry.element, entry.enabled, row + 1, m_document->SelectedStandards());
    // The results' own words for what they hold; the list's words for what they do not.
    const auto state = [&](Status status) { return RowState{status, SequenceResults::ElementStatusText(result)}; };
    if (!entry.enabled)
        return state(Status::Disabled);
    if (!result.hasResult)
        return m_skipped.count(entry.element.get()) ? RowState{Status::Skipped, StatusText(Status::Skipped)}
                                                    : state(Status::NotRun);
    switch (result.status) {
    case 1: return state(Status::Passed);
    case 2: return state(Status::Failed);
    case 3: return state(Status::NotApplicable);
    default: return state(Status::NotEvaluated);
    }
}

SequenceModel::Status SequenceModel::StatusOf(int row) const
{
    return stateOf(row).status;
}

QString SequenceModel::StatusText(Status status)
{
    switch (status) {
    case Status::Passed: return SequenceResults::StatusText(1);
    case Status::Failed: return SequenceResults::StatusText(2);
    case Status::NotApplicable: return SequenceResults::StatusText(3);
    case Status::NotEvaluated: return SequenceResults::StatusText(0);
    case Status::Skipped: return QStringLiteral("Skipped");
    case Status::NotRun: return QStringLiteral("Not run");
    case Status::Disabled: return QStringLiteral("Disabled");
    }
    return QString();
}

QColor SequenceModel::StatusColour(Status status)
{
    switch (status) {
    case Status::Passed: return QColor(0, 120, 0);
    case Status::Failed: return QColor(160, 0, 0);
    case Status::NotEvaluated: return QColor(176, 96, 0);
    case Status::NotApplicable: return QColor(40, 80, 160);
    case Status::Skipped: return QColor(120, 100, 40);
    case Status::NotRun: return QColor(32, 32, 32);
    case Status::Disabled: return QColor(150, 150, 150);
    }
    return QColor();
}

QIcon SequenceModel::statusMark(Status status)
{
    // A shape as well as a colour, for whoever does not tell the colours apart.
    QPixmap mark(kMarkPx, kMarkPx);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = StatusColour(status);
    const QRectF box(1, 1, kMarkPx - 2, kMarkPx - 2);
    painter.setPen(QPen(colour, 1.5));
    switch (status) {
    case Status::Passed:
    case Status::Failed:
    case Status::NotEvaluated:
        painter.setBrush(colour);
        painter.drawEllipse(box);
        break;
    case Status::NotApplicable:
    case Status::Skipped:
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box);
        break;
    case Status::NotRun:
        painter.drawEllipse(box.adjusted(3, 3, -3, -3));
        break;
    case Status::Disabled:
        painter.drawLine(QPointF(2, kMarkPx / 2.0), QPointF(kMarkPx - 2, kMarkPx / 2.0));
        break;
    }
    return QIcon(mark);
}

QIcon SequenceModel::rowIcon(int row, Status status) const
{
    QPixmap both(kIconPx + kGapPx + kMarkPx, kIconPx);
    both.fill(Qt::transparent);
    QPainter painter(&both);
    if (m_iconOf) {
        QImage image;
        runStep("element icon", [&] { image = m_iconOf(m_document->Entry(row).element->TestID()); });
        if (!image.isNull())
            painter.drawImage(QRect(0, 0, kIconPx, kIconPx), image);
    }
    painter.drawPixmap(kIconPx + kGapPx, (kIconPx - kMarkPx) / 2, statusMark(status).pixmap(kMarkPx, kMarkPx));
    painter.end();
    return QIcon(both);
}

int SequenceModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_document ? 0 : m_document->Count();
}

QVariant SequenceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole: {
        const SequenceEntry& entry = m_document->Entry(row);
        return QStringLiteral("%1. %2   [%3]")
            .arg(QString::number(row + 1), SequenceDocument::ElementName(entry.element), stateOf(row).text);
    }
    case Qt::CheckStateRole:
        return m_document->Entry(row).enabled ? Qt::Checked : Qt::Unchecked;
    case Qt::ForegroundRole:
        return StatusColour(StatusOf(row));
    case Qt::DecorationRole:
        return rowIcon(row, StatusOf(row));
    case Qt::ToolTipRole:
        return tr("Uncheck to leave this element out of runs.");
    default:
        return {};
    }
}

bool SequenceModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    emit EnabledToggled(index.row(), value.toInt() == Qt::Checked);
    RefreshRow(index.row());
    return true;
}

Qt::ItemFlags SequenceModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

} // namespace ostrel
