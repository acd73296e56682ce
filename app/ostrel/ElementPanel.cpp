#include "ElementPanel.h"

#include "CallbackRelay.h"
#include "SequenceResults.h"
#include "StandardsCatalog.h"

#include "host/contract/IConfigData.h"
#include "host/contract/ILimitData.h"
#include "host/contract/IResultData.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ostrel {

namespace {
// The measurement's name first, as the technician looks for it; its key beside it.
const QStringList kMeasurementColumns = {QStringLiteral("Measurement"),  QStringLiteral("Key"),
                                         QStringLiteral("Value"),        QStringLiteral("Unit"),
                                         QStringLiteral("Preset value"), QStringLiteral("Limits applied"),
                                         QStringLiteral("Verdict")};
}

ElementPanel::ElementPanel(const StandardsCatalog& standards, QWidget* parent)
    : QTabWidget(parent), m_standards(standards)
{
    setObjectName(QStringLiteral("tabElement"));

    // Configuration.
    QScrollArea* configScroll = makePane(QStringLiteral("fraConfiguration"));
    m_configPane = configScroll->widget();
    m_lblNoConfiguration = new QLabel(tr("Select an element of the sequence."), m_configPane);
    m_configPane->layout()->addWidget(m_lblNoConfiguration);
    addTab(configScroll, tr("Configuration"));

    // Limits, with the standards library above the plug-in's editor.
    auto* limitsTab = new QWidget(this);
    auto* limitsLayout = new QVBoxLayout(limitsTab);
    auto* libraryRow = new QHBoxLayout;
    m_cboLibrary = new QComboBox(limitsTab);
    m_cboLibrary->setObjectName(QStringLiteral("cboLibrary"));
    // A standard's full name can be long: the box does not widen the window for it, and the
    // whole name is the entry's tip.
    m_cboLibrary->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboLibrary->setMinimumContentsLength(16);
    for (const auto& ref : m_standards.Available()) {
        const QString text = ref.shortName + QStringLiteral(" - ") + ref.fullName;
        m_cboLibrary->addItem(text, QStringList{ref.shortName, ref.fullName});
        m_cboLibrary->setItemData(m_cboLibrary->count() - 1, text, Qt::ToolTipRole);
    }
    m_cmdAddStandard = new QPushButton(tr("Add standard to limits"), limitsTab);
    m_cmdAddStandard->setObjectName(QStringLiteral("cmdAddStandard"));
    libraryRow->addWidget(new QLabel(tr("Library:"), limitsTab));
    libraryRow->addWidget(m_cboLibrary, 1);
    libraryRow->addWidget(m_cmdAddStandard);
    limitsLayout->addLayout(libraryRow);
    QScrollArea* limitsScroll = makePane(QStringLiteral("fraLimits"));
    m_limitsPane = limitsScroll->widget();
    m_lblNoLimits = new QLabel(tr("This element has no limits."), m_limitsPane);
    m_limitsPane->layout()->addWidget(m_lblNoLimits);
    limitsLayout->addWidget(limitsScroll, 1);
    addTab(limitsTab, tr("Limits"));
    connect(m_cmdAddStandard, &QPushButton::clicked, this, &ElementPanel::addStandardFromLibrary);

    // Result.
    auto* resultTab = new QWidget(this);
    auto* resultLayout = new QVBoxLayout(resultTab);
    m_lblStatus = new QLabel(resultTab);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    resultLayout->addWidget(m_lblStatus);
    m_grdMeasurements = new QTableWidget(0, static_cast<int>(kMeasurementColumns.size()), resultTab);
    m_grdMeasurements->setObjectName(QStringLiteral("grdMeasurements"));
    m_grdMeasurements->setHorizontalHeaderLabels(kMeasurementColumns);
    m_grdMeasurements->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdMeasurements->horizontalHeader()->setStretchLastSection(true);
    m_grdMeasurements->verticalHeader()->hide();
    resultLayout->addWidget(m_grdMeasurements, 1);
    // The technician's comment on the result: stored with it, in the report and the exports.
    auto* commentLabel = new QLabel(tr("Comment:"), resultTab);
    m_txtComment = new QPlainTextEdit(resultTab);
    m_txtComment->setObjectName(QStringLiteral("txtComment"));
    m_txtComment->setTabChangesFocus(true);
    m_txtComment->setMaximumHeight(m_txtComment->fontMetrics().lineSpacing() * 4 + 12);
    commentLabel->setBuddy(m_txtComment);
    resultLayout->addWidget(commentLabel);
    resultLayout->addWidget(m_txtComment);
    connect(m_txtComment, &QPlainTextEdit::textChanged, this, &ElementPanel::commentEdited);
    QScrollArea* resultScroll = makePane(QStringLiteral("fraResult"));
    m_resultPane = resultScroll->widget();
    m_lblNoResultDialog = new QLabel(m_resultPane);
    m_resultPane->layout()->addWidget(m_lblNoResultDialog);
    resultLayout->addWidget(resultScroll);
    addTab(resultTab, tr("Result"));

    ShowElement(nullptr, {});
}

ElementPanel::~ElementPanel()
{
    dropDialogs();
}

// The scroll area holding an empty pane; the pane is its widget (the viewport is only its parent).
QScrollArea* ElementPanel::makePane(const QString& objectName)
{
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* pane = new QWidget(scroll);
    pane->setObjectName(objectName);
    auto* layout = new QVBoxLayout(pane);
    layout->setAlignment(Qt::AlignTop);
    scroll->setWidget(pane);
    return scroll;
}

void ElementPanel::dropDialogs()
{
    for (DialogPtr* dialog : {&m_configDialog, &m_limitsDialog, &m_resultDialog}) {
        if (*dialog)
            runStep("unload a dialog", [&] { (*dialog)->Unload(); });
        dialog->reset();
    }
}

DialogPtr ElementPanel::dock(DialogPtr dialog, QWidget* pane, QLabel* placeholder)
{
    placeholder->setVisible(!dialog);
    if (!dialog)
        return nullptr;
    runStep("give the dialog a callback", [&] {
        dialog->SetCallBack(std::make_shared<CallbackRelay>(
            [this](const QString& eventName, const Variant&) { changed(eventName); }));
    });
    runStep("dock the dialog", [&] { dialog->Dock(pane); });
    return dialog;
}

void ElementPanel::changed(const QString& eventName)
{
    // The dialog that sent this is on the stack: only the table is refreshed, no dialog rebuilt.
    if (eventName == QLatin1String("Change")) {
        emit Modified();
        fillMeasurements();
    }
}

void ElementPanel::ShowElement(TestElementPtr element, const QList<StandardRef>& selection)
{
    dropDialogs();
    m_element = std::move(element);
    m_selection = selection;
    m_lblNoConfiguration->setText(m_element ? tr("This element has no configuration editor.")
                                            : tr("Select an element of the sequence."));
    m_cmdAddStandard->setEnabled(m_element && m_cboLibrary->count() > 0);
    showConfiguration();
    showLimits();
    RefreshResult();
}

void ElementPanel::showConfiguration()
{
    DialogPtr dialog;
    if (m_element) {
        try {
            if (auto config = m_element->Configuration(); config && config->HasDialog())
                dialog = config->CreateDialog();
        } catch (...) {
            m_lblNoConfiguration->setText(tr("The configuration editor failed: %1").arg(ComError::fromCurrent().description()));
        }
    }
    m_configDialog = dock(dialog, m_configPane, m_lblNoConfiguration);
}

void ElementPanel::showLimits()
{
    if (m_limitsDialog)
        runStep("unload the limits", [&] { m_limitsDialog->Unload(); });
    m_limitsDialog.reset();
    DialogPtr dialog;
    if (m_element) {
        try {
            if (auto limits = m_element->Limits(); limits && limits->HasDialog())
                dialog = limits->CreateDialog();
        } catch (...) {
            m_lblNoLimits->setText(tr("The limits editor failed: %1").arg(ComError::fromCurrent().description()));
        }
    }
    m_limitsDialog = dock(dialog, m_limitsPane, m_lblNoLimits);
}

void ElementPanel::addStandardFromLibrary()
{
    if (!m_element || m_cboLibrary->currentIndex() < 0)
        return;
    const QStringList names = m_cboLibrary->currentData().toStringList();
    try {
        m_standards.CopyInto({names.value(0), names.value(1)}, m_element->Limits());
    } catch (...) {
        MessageService::instance().Show(MessageIcon::Exclamation,
                                        tr("The standard could not be added: %1").arg(ComError::fromCurrent().description()),
                                        MessageService::instance().ApplicationTitle());
        return;
    }
    showLimits();
    emit Modified();
}

void ElementPanel::RefreshResult()
{
    if (m_resultDialog)
        runStep("unload the result dialog", [&] { m_resultDialog->Unload(); });
    m_resultDialog.reset();
    const bool hasResult = fillMeasurements();
    showComment();
    if (!m_element) {
        m_lblNoResultDialog->setText(QString());
        return;
    }
    DialogPtr dialog;
    m_lblNoResultDialog->setText(hasResult ? QString() : tr("The element has not been run yet."));
    runStep("result dialog", [&] {
        if (auto data = m_element->Result(); data && data->HasDialog())
            dialog = data->CreateDialog();
    });
    m_resultDialog = dock(dialog, m_resultPane, m_lblNoResultDialog);
    if (!hasResult)
        m_lblNoResultDialog->show();
}

bool ElementPanel::fillMeasurements()
{
    m_grdMeasurements->setRowCount(0);
    if (!m_element) {
        m_lblStatus->setText(QString());
        return false;
    }
    const ElementResult result = SequenceResults::ForElement(m_element, true, 0, m_selection);
    const QString note = SequenceResults::StatusNote(result);
    m_lblStatus->setText(tr("Status: %1").arg(SequenceResults::ElementStatusText(result))
                         + (note.isEmpty() ? QString() : QStringLiteral(" - ") + note));
    for (const auto& row : result.measurements) {
        const int r = m_grdMeasurements->rowCount();
        m_grdMeasurements->insertRow(r);
        const QStringList cells{row.description.isEmpty() ? row.key : row.description,
                                row.key,
                                SequenceResults::DisplayText(row),
                                row.unit,
                                row.preset,
                                row.limits,
                                SequenceResults::StatusText(row.status)};
        for (int c = 0; c < cells.size(); ++c)
            m_grdMeasurements->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    m_grdMeasurements->resizeColumnsToContents();
    return result.hasResult;
}

void ElementPanel::showComment()
{
    std::shared_ptr<IResultData> result;
    runStep("result of the comment", [&] { result = m_element ? m_element->Result() : nullptr; });
    QString comment;
    runStep("read the comment", [&] {
        if (result)
            comment = result->Comment();
    });
    m_showingComment = true;
    if (m_txtComment->toPlainText() != comment)
        m_txtComment->setPlainText(comment);
    m_showingComment = false;
    // A comment belongs to a result: an element not run yet has nothing to comment on.
    m_txtComment->setEnabled(result != nullptr && !m_locked);
    m_txtComment->setPlaceholderText(result ? tr("What the technician noticed while testing this element.")
                                            : tr("The element has not been run yet."));
}

void ElementPanel::commentEdited()
{
    if (m_showingComment || !m_element)
        return;
    bool stored = false;
    runStep("store the comment", [&] {
        if (auto result = m_element->Result()) {
            result->SetComment(m_txtComment->toPlainText());
            stored = true;
        }
    });
    if (stored)
        emit Modified();
}

void ElementPanel::SetLocked(bool locked)
{
    m_locked = locked;
    showComment();
    for (const DialogPtr& dialog : {m_configDialog, m_limitsDialog, m_resultDialog})
        if (dialog)
            runStep("lock a dialog", [&] { dialog->SetLocked(locked); });
    m_cmdAddStandard->setEnabled(!locked && m_element && m_cboLibrary->count() > 0);
}

} // namespace ostrel
