#include "MainWindow.h"

#include "DeviceHistoryView.h"
#include "ElementPanel.h"
#include "FileFilter.h"
#include "HistoryListener.h"
#include "InstrumentLinkDialog.h"
#include "PlugInHost.h"
#include "ReportBuilder.h"
#include "ResultExporter.h"
#include "ResultsDatabase.h"
#include "RunStopper.h"
#include "SequenceModel.h"
#include "SequenceResults.h"
#include "SequenceRunner.h"
#include "SettingsDialog.h"
#include "SimulatedMonitorPanel.h"
#include "StandardsCatalog.h"
#include "StopSignals.h"

#include "host/contract/IDialog.h"
#include "host/contract/ISetup.h"
#include "host/core/ClassRegistry.h"
#include "host/core/ComError.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"
#include "host/datalink/PortRegistry.h"
#include "host/history/HistoryError.h"
#include "host/history/IResultsStore.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDockWidget>
#include <QFileInfo>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace ostrel {

namespace {
const QString kDocumentFilter = QStringLiteral("Test sequences (*.xml);;All files (*)");
}

MainWindow::MainWindow(std::shared_ptr<PlugInHost> host, QWidget* parent)
    : QMainWindow(parent), m_host(std::move(host)), m_document(std::make_unique<SequenceDocument>())
{
    setObjectName(QStringLiteral("frmMain"));
    auto progress = std::make_shared<Progress>();
    m_standards = std::make_unique<StandardsCatalog>(progress);

    m_lstCatalogue = new QListWidget(this);
    m_lstCatalogue->setObjectName(QStringLiteral("lstCatalogue"));
    m_lstCatalogue->setIconSize(QSize(32, 16));
    auto* catalogueDock = new QDockWidget(tr("Catalogue"), this);
    catalogueDock->setObjectName(QStringLiteral("dckCatalogue"));
    auto* catalogueWidget = new QWidget(catalogueDock);
    auto* catalogueLayout = new QVBoxLayout(catalogueWidget);
    catalogueLayout->addWidget(m_lstCatalogue);
    auto* cmdAdd = new QPushButton(tr("Add to sequence"), catalogueWidget);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    catalogueLayout->addWidget(cmdAdd);
    catalogueDock->setWidget(catalogueWidget);
    addDockWidget(Qt::LeftDockWidgetArea, catalogueDock);
    connect(cmdAdd, &QPushButton::clicked, this, &MainWindow::addSelectedTest);
    connect(m_lstCatalogue, &QListWidget::itemDoubleClicked, this, &MainWindow::addSelectedTest);
    m_lockedWhileRunning << cmdAdd;

    m_panel = new ElementPanel(*m_standards, this);
    auto* splitter = new QSplitter(this);
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(buildDutPane());
    leftLayout->addWidget(buildSequencePane(), 1);
    splitter->addWidget(left);
    splitter->addWidget(m_panel);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    connect(m_panel, &ElementPanel::Modified, this, &MainWindow::markModified);

    m_monitorPanel = new SimulatedMonitorPanel(this);
    statusBar()->addPermanentWidget(m_monitorPanel);
    m_monitorPanel->SetSimulatorInUse(SettingsDialog::CurrentDevice() == PortRegistry::kSimulatorDevice);

    buildMenus();
    fillCatalogue();
    showDocument();
    resize(1100, 700);
    for (const QString& line : progress->Lines())
        report(tr("Standards: %1").arg(line), true);
    openHistory();
    // What a former session could not deliver goes at start-up.
    QTimer::singleShot(0, this, [this] {
        if (m_history && m_history->Pending() > 0) {
            m_history->Sync();
            showOutbox();
        }
    });
}

void MainWindow::openHistory()
{
    m_history.reset();
    try {
        m_history = ResultsDatabase::Open();
    } catch (const history::HistoryError& error) {
        report(tr("The results database setting is not usable: %1").arg(error.Text()), true);
    }
}

void MainWindow::showOutbox()
{
    const int waiting = m_history ? m_history->Pending() : 0;
    if (waiting > 0)
        statusBar()->showMessage(tr("%n result(s) wait in the outbox for %1: %2", nullptr, waiting)
                                     .arg(m_history->Target().Redacted(), m_history->LastError()));
}

DeviceHistoryView* MainWindow::OpenDeviceHistory()
{
    auto* view = new DeviceHistoryView(
        [this](const QString& serial) {
            if (!m_history)
                throw history::HistoryError(tr("no results database is set up"));
            m_history->Sync();
            return m_history->Store().DeviceHistory(serial);
        },
        m_document->Dut().serialNumber, this);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->show();
    return view;
}

MainWindow::~MainWindow()
{
    // The panel's dialogs go before the elements they edit.
    m_panel->ShowElement(nullptr, {});
}

QWidget* MainWindow::buildDutPane()
{
    auto* pane = new QWidget(this);
    auto* form = new QFormLayout(pane);
    const auto field = [&](const char* name, const QString& label) {
        auto* edit = new QLineEdit(pane);
        edit->setObjectName(QString::fromLatin1(name));
        form->addRow(label, edit);
        connect(edit, &QLineEdit::editingFinished, this, &MainWindow::dutEdited);
        return edit;
    };
    m_txtTitle = field("txtTitle", tr("Sequence title:"));
    m_txtSerial = field("txtSerialNumber", tr("Device serial number:"));
    m_txtModel = field("txtModel", tr("Device model:"));
    m_txtLocation = field("txtLocation", tr("Location:"));
    m_txtTechnician = field("txtTechnician", tr("Technician:"));
    return pane;
}

QWidget* MainWindow::buildSequencePane()
{
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    m_lstSequence = new QListView(pane);
    m_lstSequence->setObjectName(QStringLiteral("lstSequence"));
    m_lstSequence->setIconSize(QSize(32, 16));
    m_sequenceRows = new SequenceModel(this);
    m_lstSequence->setModel(m_sequenceRows);
    layout->addWidget(m_lstSequence, 1);
    // Editing the list in one row, running it in the next.
    auto* editButtons = new QHBoxLayout;
    auto* runButtons = new QHBoxLayout;
    const auto button = [&](QHBoxLayout* row, const char* name, const QString& text) {
        auto* b = new QPushButton(text, pane);
        b->setObjectName(QString::fromLatin1(name));
        row->addWidget(b);
        m_lockedWhileRunning << b;
        return b;
    };
    connect(button(editButtons, "cmdRemove", tr("Remove")), &QPushButton::clicked, this, &MainWindow::removeElement);
    connect(button(editButtons, "cmdUp", tr("Up")), &QPushButton::clicked, this, [this] { moveElement(-1); });
    connect(button(editButtons, "cmdDown", tr("Down")), &QPushButton::clicked, this, [this] { moveElement(1); });
    connect(button(editButtons, "cmdRename", tr("Rename")), &QPushButton::clicked, this, &MainWindow::renameElement);
    connect(button(runButtons, "cmdRunFirst", tr("Run from first")), &QPushButton::clicked, this, [this] { RunFrom(0); });
    // The run goes on past the selected element, as the menu's "Run from selected" says.
    connect(button(runButtons, "cmdRunSelected", tr("Run from selected")), &QPushButton::clicked, this,
            [this] { RunFrom(std::max(0, SelectedIndex())); });
    connect(button(runButtons, "cmdRunOnly", tr("Run this element only")), &QPushButton::clicked, this,
            [this] { RunOnly(SelectedIndex()); });
    layout->addLayout(editButtons);
    layout->addLayout(runButtons);
    connect(m_sequenceRows, &SequenceModel::EnabledToggled, this, &MainWindow::enabledToggled);
    connect(m_lstSequence->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &MainWindow::selectionChanged);
    return pane;
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, &MainWindow::newDocument);
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &MainWindow::open);
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { save(); });
    file->addAction(tr("Save &as..."), QKeySequence::SaveAs, this, [this] { saveAs(); });
    file->addSeparator();
    file->addAction(tr("Export &report..."), this, &MainWindow::exportReport);
    file->addAction(tr("&Print report..."), QKeySequence::Print, this, [this] { printReport(false); });
    file->addAction(tr("Print pre&view..."), this, [this] { printReport(true); });
    file->addAction(tr("Export results as &JSON..."), this, [this] { exportResults(true); });
    file->addAction(tr("Export results as &CSV..."), this, [this] { exportResults(false); });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu* run = menuBar()->addMenu(tr("&Run"));
    run->addAction(tr("Run from &first"), this, [this] { RunFrom(0); });
    run->addAction(tr("Run from &selected"), this, [this] { RunFrom(std::max(0, SelectedIndex())); });
    run->addAction(tr("Run this element &only"), this, [this] { RunOnly(SelectedIndex()); });
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->addAction(tr("Device &history..."), this, [this] { OpenDeviceHistory(); });
    tools->addAction(tr("&Settings..."), this, &MainWindow::settings);
    tools->addAction(tr("Instrument &operator record..."), this, &MainWindow::operatorRecord)
        ->setObjectName(QStringLiteral("actOperatorRecord"));
    tools->addAction(tr("Instrument &link..."), this, [this] { InstrumentLinkDialog(this).exec(); })
        ->setObjectName(QStringLiteral("actInstrumentLink"));
}

void MainWindow::fillCatalogue()
{
    m_lstCatalogue->clear();
    if (!m_host || !m_host->PlugIn()) {
        m_lstCatalogue->addItem(tr("(the plug-in is not loaded)"));
        m_lstCatalogue->setEnabled(false);
        return;
    }
    std::vector<CatalogueEntry> entries;
    try {
        entries = m_host->Catalogue();
    } catch (...) {
        report(tr("The catalogue cannot be read: %1").arg(ComError::fromCurrent().description()), true);
    }
    for (const auto& entry : entries) {
        auto* item = new QListWidgetItem(entry.name, m_lstCatalogue);
        const QImage& image = entry.largeIcon.isNull() ? entry.icon : entry.largeIcon;
        if (!image.isNull())
            item->setIcon(QIcon(QPixmap::fromImage(image)));
        item->setToolTip(entry.description);
        item->setData(Qt::UserRole, entry.testId);
    }
    // The dock is as wide as the longest test name, so no name is cut off.
    m_lstCatalogue->setMinimumWidth(m_lstCatalogue->sizeHintForColumn(0) + 2 * m_lstCatalogue->frameWidth() +
                                    m_lstCatalogue->verticalScrollBar()->sizeHint().width());
}

void MainWindow::fillSequence(int select)
{
    m_filling = true;
    m_sequenceRows->Reset();
    m_filling = false;
    if (m_document->Count() > 0)
        Select(std::clamp(select, 0, m_document->Count() - 1));
    else
        selectionChanged();
}

void MainWindow::refreshItem(int index)
{
    m_sequenceRows->RefreshRow(index);
}

void MainWindow::showDocument()
{
    const DeviceUnderTest& dut = m_document->Dut();
    m_txtTitle->setText(m_document->Title());
    m_txtSerial->setText(dut.serialNumber);
    m_txtModel->setText(dut.model);
    m_txtLocation->setText(dut.location);
    m_txtTechnician->setText(dut.technician);
    m_panel->ShowElement(nullptr, {});
    m_filling = true;
    std::shared_ptr<PlugInHost> host = m_host;
    m_sequenceRows->SetDocument(m_document.get(), [host](std::int32_t testId) {
        return host && host->PlugIn() ? host->PlugIn()->Icon(testId, 0) : QImage();
    });
    m_filling = false;
    fillSequence(0);
    updateTitle();
}

void MainWindow::updateTitle()
{
    const QString name = m_document->Path().isEmpty() ? tr("Untitled") : QFileInfo(m_document->Path()).fileName();
    setWindowTitle(QStringLiteral("%1%2 - Ostrel").arg(name, m_document->IsModified() ? QStringLiteral(" *") : QString()));
}

void MainWindow::markModified()
{
    m_document->SetModified();
    updateTitle();
}

std::shared_ptr<IStandards> MainWindow::resolveStandards()
{
    // A selected standard that judges nothing is said, not passed over in silence.
    QList<StandardRef> unresolved;
    auto selected = m_standards->Resolve(*m_document, &unresolved);
    for (const auto& ref : unresolved)
        report(tr("The selected standard %1 (%2) is carried by no element: nothing is judged against "
                  "it.")
                   .arg(ref.shortName, ref.fullName),
               true);
    return selected;
}

void MainWindow::report(const QString& text, bool error)
{
    statusBar()->showMessage(text, error ? 0 : 5000);
    if (error)
        MessageService::instance().Show(MessageIcon::Exclamation, text, MessageService::instance().ApplicationTitle());
}

int MainWindow::SelectedIndex() const
{
    const QModelIndex current = m_lstSequence->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void MainWindow::Select(int index)
{
    m_lstSequence->setCurrentIndex(m_sequenceRows->index(index));
}

void MainWindow::selectionChanged()
{
    if (m_filling)
        return;
    const int index = SelectedIndex();
    m_panel->ShowElement(index >= 0 && index < m_document->Count() ? m_document->Entry(index).element : nullptr,
                         m_document->SelectedStandards());
}

void MainWindow::enabledToggled(int index, bool enabled)
{
    if (m_filling || index < 0 || index >= m_document->Count())
        return;
    m_document->SetEnabled(index, enabled);
    updateTitle();
}

void MainWindow::dutEdited()
{
    m_document->SetTitle(m_txtTitle->text());
    m_document->SetDut({m_txtSerial->text(), m_txtModel->text(), m_txtLocation->text(), m_txtTechnician->text()});
    updateTitle();
}

void MainWindow::AddTest(std::int32_t testId)
{
    if (!m_host || !m_host->PlugIn())
        return;
    try {
        m_document->Add(m_host->PlugIn()->CreateTest(testId), SelectedIndex() < 0 ? -1 : SelectedIndex() + 1);
    } catch (...) {
        report(tr("The test cannot be added: %1").arg(ComError::fromCurrent().description()), true);
        return;
    }
    fillSequence(SelectedIndex() < 0 ? m_document->Count() - 1 : SelectedIndex() + 1);
    updateTitle();
}

void MainWindow::addSelectedTest()
{
    if (QListWidgetItem* item = m_lstCatalogue->currentItem(); item && item->data(Qt::UserRole).isValid())
        AddTest(item->data(Qt::UserRole).toInt());
}

void MainWindow::removeElement()
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    m_panel->ShowElement(nullptr, {});
    m_document->Remove(index);
    fillSequence(index);
    updateTitle();
}

void MainWindow::moveElement(int delta)
{
    const int index = SelectedIndex();
    if (index < 0 || index + delta < 0 || index + delta >= m_document->Count())
        return;
    m_document->Move(index, index + delta);
    fillSequence(index + delta);
    updateTitle();
}

void MainWindow::renameElement()
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Rename"), tr("Name of the element:"), QLineEdit::Normal,
                                               SequenceDocument::ElementName(m_document->Entry(index).element), &ok);
    if (!ok || name.trimmed().isEmpty())
        return;
    m_document->Rename(index, name.trimmed());
    fillSequence(index);
    updateTitle();
}

void MainWindow::RunFrom(int index)
{
    run(index, RunScope::FromHere);
}

void MainWindow::RunOnly(int index)
{
    if (index >= 0)
        run(index, RunScope::ThisElementOnly);
}

void MainWindow::run(int index, RunScope scope)
{
    if (m_running || m_document->Count() == 0)
        return;
    if (m_document->Path().isEmpty() &&
        QMessageBox::question(this, windowTitle(),
                              tr("Save the sequence first? Results are then saved after every finished element.")) ==
            QMessageBox::Yes)
        saveAs();
    m_running = true;
    for (QWidget* widget : m_lockedWhileRunning)
        widget->setEnabled(false);
    m_panel->ShowElement(nullptr, {});
    SequenceRunner runner(*m_document, resolveStandards());
    if (m_history)
        runner.AddListener(std::make_shared<HistoryListener>(*m_history));
    runner.onElementStarted = [this](int i) {
        Select(i);
        statusBar()->showMessage(tr("Running %1").arg(SequenceDocument::ElementName(m_document->Entry(i).element)));
    };
    // The list shows each verdict as soon as it is known, not only when the run has ended.
    runner.onElementEnded = [this](int i) {
        // An element that went on without a result this time was skipped.
        bool hasResult = true;
        runStep("result after the run", [&] {
            if (i >= 0 && i < m_document->Count())
                hasResult = m_document->Entry(i).element->Result() != nullptr;
        });
        m_sequenceRows->MarkSkipped(i, !hasResult);
    };
    runner.onResultFinal = [this](const std::shared_ptr<ITestElement>& element, const std::optional<ComError>& failure) {
        refreshItem(m_document->IndexOf(element.get()));
        if (failure)
            report(tr("The results could not be saved: %1").arg(failure->description()), true);
        updateTitle();
    };
    // SIGTERM (the session ends) or Ctrl+C in the terminal during a run: the instrument's test
    // is stopped through the test-guide window's own buttons before the program ends, so the
    // instrument is not left pressurising a cuff with nobody watching.
    RunStopper stopper([&runner] { runner.Stop(); });
    StopSignals stopSignals;
    stopSignals.onStop = [&stopper](int) { stopper.Stop(); };
    m_filling = true; // the panel stays empty while elements run
    const auto outcome = scope == RunScope::ThisElementOnly ? runner.RunOnly(index) : runner.Run(index);
    m_filling = false;
    m_running = false;
    for (QWidget* widget : m_lockedWhileRunning)
        widget->setEnabled(true);
    if (outcome == SequenceRunner::Outcome::Failed)
        report(tr("The run stopped: %1").arg(runner.Failure().value_or(ComError()).description()), true);
    else
        statusBar()->showMessage(outcome == SequenceRunner::Outcome::Aborted ? tr("The run was aborted.")
                                                                            : tr("The run has ended."),
                                 5000);
    showOutbox();
    fillSequence(SelectedIndex());
    updateTitle();
    // What finished is saved and in the history; the program ends as the signal asked,
    // without questions nobody may be there to answer.
    if (stopSignals.Stopped())
        QCoreApplication::exit(kSignalExitBase + stopSignals.Signal());
}

bool MainWindow::OpenFile(const QString& path)
{
    if (!m_host || !m_host->PlugIn()) {
        report(tr("%1 cannot be opened: the plug-in is not loaded.").arg(path), true);
        return false;
    }
    auto progress = std::make_shared<Progress>();
    std::unique_ptr<SequenceDocument> document;
    try {
        document = SequenceDocument::Load(path, m_host->Factory(), progress);
    } catch (...) {
        report(tr("The sequence cannot be opened.\n%1").arg(ComError::fromCurrent().description()), true);
        return false;
    }
    m_panel->ShowElement(nullptr, {});
    m_document = std::move(document);
    showDocument();
    if (!progress->Lines().isEmpty())
        MessageService::instance().Show(MessageIcon::Exclamation,
                                        tr("%1 was opened with warnings:\n%2").arg(path, progress->Lines().join(QLatin1Char('\n'))),
                                        MessageService::instance().ApplicationTitle());
    statusBar()->showMessage(tr("Opened %1").arg(path), 5000);
    return true;
}

bool MainWindow::SaveFile(const QString& path)
{
    dutEdited();
    try {
        m_document->SaveAs(path);
    } catch (...) {
        report(tr("The sequence could not be saved: %1").arg(ComError::fromCurrent().description()), true);
        return false;
    }
    updateTitle();
    statusBar()->showMessage(tr("Saved %1").arg(path), 5000);
    return true;
}

bool MainWindow::maybeSave()
{
    dutEdited();
    if (!m_document->IsModified())
        return true;
    const auto answer = QMessageBox::question(this, windowTitle(), tr("The sequence has changed. Save it?"),
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::Discard || save();
}

void MainWindow::newDocument()
{
    if (m_running || !maybeSave())
        return;
    m_panel->ShowElement(nullptr, {});
    m_document = std::make_unique<SequenceDocument>();
    showDocument();
}

void MainWindow::open()
{
    if (m_running || !maybeSave())
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open sequence"), QString(), kDocumentFilter);
    if (!path.isEmpty())
        OpenFile(path);
}

bool MainWindow::save()
{
    return m_document->Path().isEmpty() ? saveAs() : SaveFile(m_document->Path());
}

QString MainWindow::askSavePath(const QString& caption, const QString& start, const QString& filters)
{
    QString chosen;
    const QString path = QFileDialog::getSaveFileName(this, caption, start, filters, &chosen);
    return FileFilter::WithExtension(path, chosen);
}

bool MainWindow::saveAs()
{
    const QString path = askSavePath(tr("Save sequence"), m_document->Path(), kDocumentFilter);
    return !path.isEmpty() && SaveFile(path);
}

void MainWindow::exportReport()
{
    // The name ends in the chosen filter's extension, which decides the format.
    const QString path = askSavePath(tr("Export report"), QString(), tr("PDF (*.pdf);;HTML (*.html)"));
    if (path.isEmpty())
        return;
    const bool failuresOnly = QMessageBox::question(this, tr("Export report"), tr("Print failed measurements only?"),
                                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    try {
        const auto built = buildReport(failuresOnly);
        if (path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
            ResultExporter::WriteFile(path, [&](QIODevice& out) { built->WriteHtml(out); });
        else
            built->RenderPdf(path);
        statusBar()->showMessage(tr("Report written to %1").arg(path), 5000);
    } catch (...) {
        report(tr("The report could not be written: %1").arg(ComError::fromCurrent().description()), true);
    }
}

std::shared_ptr<Report> MainWindow::buildReport(bool failuresOnly)
{
    const auto context = ReportBuilder::MakeContext(*m_document, resolveStandards());
    return ReportBuilder::Build(*m_document, context, failuresOnly);
}

void MainWindow::printReport(bool preview)
{
    std::shared_ptr<Report> built;
    try {
        built = buildReport(false);
    } catch (...) {
        report(tr("The report could not be built: %1").arg(ComError::fromCurrent().description()), true);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    const auto render = [&](QPrinter* target) {
        runStep("print the report", [&] { built->RenderTo(*target); });
    };
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        dialog.setObjectName(QStringLiteral("dlgPrintPreview"));
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, render);
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    if (dialog.exec() == QDialog::Accepted) {
        render(&printer);
        statusBar()->showMessage(tr("The report was sent to %1.").arg(printer.printerName()), 5000);
    }
}

void MainWindow::exportResults(bool json)
{
    const QString path = askSavePath(tr("Export results"), QString(), json ? tr("JSON (*.json)") : tr("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    try {
        if (json)
            ResultExporter::WriteJson(path, *m_document);
        else
            ResultExporter::WriteCsv(path, *m_document);
        statusBar()->showMessage(tr("Results written to %1").arg(path), 5000);
    } catch (...) {
        report(tr("The results could not be written: %1").arg(ComError::fromCurrent().description()), true);
    }
}

void MainWindow::settings()
{
    SettingsDialog dialog(*m_standards, m_document->SelectedStandards(), this, m_document.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        dialog.Apply();
    } catch (...) {
        report(tr("The settings could not be written: %1").arg(ComError::fromCurrent().description()), true);
    }
    openHistory();
    m_monitorPanel->SetSimulatorInUse(SettingsDialog::CurrentDevice() == PortRegistry::kSimulatorDevice);
    m_document->SetSelectedStandards(dialog.SelectedStandards());
    selectionChanged();
    updateTitle();
}

void MainWindow::operatorRecord()
{
    // The plug-in's settings page, reached by its class name: the window knows only the
    // host contract. It talks to the instrument itself and says on the page what it stored.
    std::shared_ptr<ISetup> setup;
    DialogPtr page;
    try {
        setup = ClassRegistry::instance().CreateAs<ISetup>(QString::fromLatin1(kOperatorRecordProgId));
        page = setup->CreateDialog();
    } catch (...) {
        report(tr("The instrument's operator record cannot be shown: %1").arg(ComError::fromCurrent().description()), true);
        return;
    }
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgOperatorRecord"));
    dialog.setWindowTitle(tr("Instrument operator record"));
    runStep("dock the operator record", [&] { page->Dock(&dialog); });
    dialog.adjustSize();
    dialog.exec();
    runStep("unload the operator record", [&] { page->Unload(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_running || !maybeSave())
        event->ignore();
    else
        event->accept();
}

} // namespace ostrel
