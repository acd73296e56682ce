// The window's save and export dialogs: a name typed without an extension gets the one of the
// filter chosen in the dialog, and the chosen filter decides the report's format.
#include "FakeElement.h"
#include "FakePlugInWindow.h"
#include "ModalAnswers.h"

#include "app/ostrel/FileFilter.h"
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "host/results/Report.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/PdfText.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

struct NameCase {
    const char* typed;
    const char* filter;
    const char* saved;
};

class FileFilterNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileFilterNames, GetTheChosenFiltersExtension)
{
    EXPECT_EQ(FileFilter::WithExtension(GetParam().typed, GetParam().filter), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileFilterNames,
    ::testing::Values(NameCase{"/d/annual-check", "Test sequences (*.xml)", "/d/annual-check.xml"},
                      NameCase{"/d/annual-check.XML", "Test sequences (*.xml)", "/d/annual-check.XML"},
                      NameCase{"/d/report.pdf", "HTML (*.html *.htm)", "/d/report.pdf.html"},
                      NameCase{"/d/report.htm", "HTML (*.html *.htm)", "/d/report.htm"},
                      NameCase{"/d/v1.2/notes", "All files (*)", "/d/v1.2/notes"},
                      NameCase{"/d/v1.2/results", "CSV (*.csv)", "/d/v1.2/results.csv"},
                      NameCase{"", "CSV (*.csv)", ""}));

class MainWindowFiles : public ostrel::testing::FakePlugInWindow {
protected:
    void SetUp() override
    {
        FakePlugInWindow::SetUp();
        window->AddTest(10);
    }

    QAction* menuAction(const QString& text) const
    {
        for (QAction* menu : window->menuBar()->actions())
            for (QAction* action : menu->menu()->actions())
                if (action->text() == text)
                    return action;
        ADD_FAILURE() << "no menu entry " << qPrintable(text);
        return nullptr;
    }
    // The answer of a save dialog: that filter and that name typed.
    ModalAnswers::Step saveAs(const QString& filter, const QString& name) const
    {
        const QString path = dir.filePath(name);
        return [filter, path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_TRUE(dialog) << qPrintable(modal->metaObject()->className());
            dialog->selectNameFilter(filter);
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it; the dialog checks the name as on OK
        };
    }
    static QByteArray head(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
    }
};

TEST_F(MainWindowFiles, SaveAsAddsTheDocumentExtension)
{
    ModalAnswers answers({saveAs("Test sequences (*.xml)", "annual-check")});
    menuAction("Save &as...")->trigger();
    EXPECT_TRUE(answers.AllAnswered());
    EXPECT_TRUE(QFile::exists(dir.filePath("annual-check.xml")));
    EXPECT_FALSE(QFile::exists(dir.filePath("annual-check")));
    EXPECT_EQ(window->Document().Path(), dir.filePath("annual-check.xml"));
}

TEST_F(MainWindowFiles, TheReportFilterDecidesTheFormat)
{
    const auto notFailuresOnly = [](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_TRUE(box);
        box->button(QMessageBox::No)->click();
    };
    {
        ModalAnswers answers({saveAs("HTML (*.html)", "report"), notFailuresOnly});
        menuAction("Export &report...")->trigger();
        EXPECT_TRUE(answers.AllAnswered());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("report")));
    EXPECT_NE(head(dir.filePath("report.html")), "%PDF-");
    EXPECT_FALSE(head(dir.filePath("report.html")).isEmpty());
    {
        ModalAnswers answers({saveAs("PDF (*.pdf)", "report"), notFailuresOnly});
        menuAction("Export &report...")->trigger();
        EXPECT_TRUE(answers.AllAnswered());
    }
    EXPECT_EQ(head(dir.filePath("report.pdf")), "%PDF-");
}

TEST_F(MainWindowFiles, ResultExportsAddTheirExtension)
{
    ModalAnswers answers({saveAs("CSV (*.csv)", "results")});
    menuAction("Export results as &CSV...")->trigger();
    EXPECT_TRUE(answers.AllAnswered());
    EXPECT_TRUE(QFile::exists(dir.filePath("results.csv")));
}

TEST_F(MainWindowFiles, PrintPreviewShowsTheReportsPages)
{
    int pages = 0;
    ModalAnswers answers({[&](QWidget* modal) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
        ASSERT_TRUE(preview) << qPrintable(modal->metaObject()->className());
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(widget);
        widget->updatePreview();
        pages = widget->pageCount();
        preview->reject();
    }});
    menuAction("Print pre&view...")->trigger();
    EXPECT_TRUE(answers.AllAnswered());
    EXPECT_GE(pages, 1);
}

// What the printer is given is the report: printed to a PDF file, its text reads back.
TEST_F(MainWindowFiles, TheReportRendersOnAPrinter)
{
    auto report = std::make_shared<Report>();
    report->SetTitle("Annual check");
    report->AddHeading("Leak test");
    report->AddKeyValue("Comment", "hose re-seated");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    report->RenderTo(printer);
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    const QString text = ostrel::testing::pdfText(dir.filePath("printed.pdf"), {});
    for (const char* expected : {"Annual check", "Leak test", "hose re-seated"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
}

} // namespace
