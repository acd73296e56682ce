#pragma once
// The sequence as the window's list shows it: one row per element with its place, name and
// status, the check box that enables it, the element's icon and the status's colour and mark.
// "Skipped" is an element this session ran that left without a result; it is kept only while
// the window is open, as the document stores no such thing.
#include <QAbstractListModel>
#include <QIcon>
#include <QImage>
#include <functional>
#include <set>

namespace ostrel {

class ITestElement;
class SequenceDocument;
struct ElementResult;

class SequenceModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Status { Passed, Failed, NotEvaluated, NotApplicable, Skipped, NotRun, Disabled };
    // The picture of a test ID (the plug-in's icon), null when there is none.
    using IconOf = std::function<QImage(std::int32_t testId)>;

    explicit SequenceModel(QObject* parent = nullptr);

    // A new document (or another order of it): all rows again.
    void SetDocument(const SequenceDocument* document, IconOf iconOf = {});
    void Reset();
    // The element's result or place changed: its row is shown again.
    void RefreshRow(int row);
    void MarkSkipped(int row, bool skipped);

    Status StatusOf(int row) const;
    // The list's own word for a status; the row shows the results' word where there is one.
    static QString StatusText(Status status);
    static QColor StatusColour(Status status);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The check box of a row was changed by the user; the document is not touched here.
    void EnabledToggled(int row, bool enabled);

private:
    struct RowState {
        Status status;
        QString text;
    };
    RowState stateOf(int row) const;
    static QIcon statusMark(Status status);
    QIcon rowIcon(int row, Status status) const;

    const SequenceDocument* m_document = nullptr;
    IconOf m_iconOf;
    std::set<const ITestElement*> m_skipped;
};

} // namespace ostrel
