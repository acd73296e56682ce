#include "ReportBuilder.h"

#include "SequenceDocument.h"
#include "SequenceResults.h"

#include "host/contract/IRunContext.h"
#include "host/contract/ResultStatus.h"
#include "host/core/ComError.h"
#include "host/results/Report.h"
#include "host/run/RunContext.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>

namespace ostrel {

namespace {

QString orDash(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("-") : text;
}

QString localTime(const QDateTime& time, const QString& format)
{
    return QLocale::c().toString(time.toLocalTime(), format);
}

// "2026-03-02 09:14:05 - 09:16:40": the day once when both ends fall on it.
QString timeSpan(const QDateTime& started, const QDateTime& ended, const QString& timeFormat)
{
    const QString dayFormat = QStringLiteral("yyyy-MM-dd ");
    const QString endFormat = started.toLocalTime().date() == ended.toLocalTime().date() ? timeFormat : dayFormat + timeFormat;
    return localTime(started, dayFormat + timeFormat) + QStringLiteral(" - ") + localTime(ended, endFormat);
}

// When the tests of the document were performed: from the first start to the last end.
QString performedText(const SequenceDocument& document)
{
    QDateTime first;
    QDateTime last;
    for (int i = 0; i < document.Count(); ++i) {
        const SequenceEntry& entry = document.Entry(i);
        if (!entry.started.isValid() || !entry.ended.isValid())
            continue;
        if (!first.isValid() || entry.started < first)
            first = entry.started;
        if (!last.isValid() || entry.ended > last)
            last = entry.ended;
    }
    return first.isValid() ? timeSpan(first, last, QStringLiteral("HH:mm")) : QStringLiteral("-");
}

QString bold(const QString& text)
{
    return QStringLiteral("{\\b ") + Report::CellText(text) + QLatin1Char('}');
}

// One row of the table language; the texts are data and made safe.
QString tableRow(const QStringList& cells)
{
    QStringList safe;
    for (const QString& cell : cells)
        safe << Report::CellText(cell);
    return safe.join(QLatin1Char('|')) + QLatin1Char(';');
}

void addSummary(Report& report, const std::vector<ElementResult>& results)
{
    report.AddHeading(QStringLiteral("Overall verdict"));
    report.AddKeyValue(QStringLiteral("Verdict"), SequenceResults::VerdictText(SequenceResults::Overall(results)));
    QString rows;
    for (const auto& result : results)
        rows += tableRow({QString::number(result.position), result.name, SequenceResults::ElementStatusText(result)});
    if (rows.isEmpty())
        return;
    report.SetFontSize(10);
    report.SetSpaceBefore(6);
    report.SetRuled(1);
    report.AddTable(QStringLiteral(">560|<+!4000|<2000;"),
                    QStringLiteral("%1|%2|%3;").arg(bold(QStringLiteral("#")), bold(QStringLiteral("Element")),
                                                    bold(QStringLiteral("Status"))),
                    rows);
}

void addHeader(Report& report, const SequenceDocument& document, const std::vector<ElementResult>& results)
{
    const DeviceUnderTest& dut = document.Dut();
    report.AddHeading(QStringLiteral("Device under test"));
    report.AddKeyValue(QStringLiteral("Serial number"), orDash(dut.serialNumber));
    report.AddKeyValue(QStringLiteral("Model"), orDash(dut.model));
    report.AddKeyValue(QStringLiteral("Location"), orDash(dut.location));
    report.AddKeyValue(QStringLiteral("Technician"), orDash(dut.technician));
    report.AddKeyValue(QStringLiteral("Tests performed"), performedText(document));
    report.AddKeyValue(QStringLiteral("Report printed"), localTime(QDateTime::currentDateTimeUtc(), QStringLiteral("yyyy-MM-dd HH:mm")));
    QStringList standards;
    for (const auto& ref : document.SelectedStandards())
        standards << ref.shortName;
    report.AddKeyValue(QStringLiteral("Standards"), orDash(standards.join(QStringLiteral(", "))));

    report.AddHeading(QStringLiteral("Instruments"));
    const auto& instruments = document.Instruments()->items();
    if (instruments.empty())
        report.AddParagraph(QStringLiteral("No instrument was used."));
    // Names and serial numbers are data: never a format string.
    for (const auto& mti : instruments)
        report.AddKeyValue(mti->Name() + QStringLiteral(" #") + QString::number(mti->Number()),
                           QStringLiteral("serial number %1, firmware %2").arg(orDash(mti->SerialNo()), orDash(mti->FWVersion())));

    addSummary(report, results);
}

// Each measurement of an element in one row: its value, the limits applied to it, the unit and
// its verdict, as the exports state them (only the failed ones when only failures are printed).
void addVerdicts(Report& report, const ElementResult& result, bool failuresOnly)
{
    QString rows;
    for (const auto& row : result.measurements) {
        if (failuresOnly && row.status != 2)
            continue;
        const QString name = row.description.isEmpty() ? row.key : row.description;
        rows += tableRow({QString(), name, SequenceResults::DisplayText(row), row.unit, orDash(row.limitsApplied),
                          SequenceResults::StatusText(row.status)});
    }
    if (rows.isEmpty())
        return;
    report.SetFontSize(10);
    report.SetSpaceBefore(6);
    report.SetRuled(1);
    report.AddTable(QStringLiteral("<560|<+2040|>+1200|^+1000|<+!2600|<+1400;"),
                    QStringLiteral("|%1|%2|%3|%4|%5;")
                        .arg(bold(QStringLiteral("Measurement")), bold(QStringLiteral("Value")), bold(QStringLiteral("Unit")),
                             bold(QStringLiteral("Limits applied")), bold(QStringLiteral("Verdict"))),
                    rows);
}

// Lines to sign on paper: who performed the tests, who reviewed them, when.
void addSignOff(Report& report, const SequenceDocument& document)
{
    const QString line = QStringLiteral("______________________");
    report.AddHeading(QStringLiteral("Sign-off"));
    report.SetFontSize(10);
    report.SetSpaceBefore(6);
    report.SetRuled(0);
    report.AddTable(QStringLiteral("<2000|<+!3000|<800|<2400;"), QString(),
                    tableRow({QStringLiteral("Performed by"), orDash(document.Dut().technician), QStringLiteral("Date"), line}) +
                        tableRow({QString(), QString(), QStringLiteral("Signature"), line}) +
                        tableRow({QStringLiteral("Reviewed by"), line, QStringLiteral("Date"), line}) +
                        tableRow({QString(), QString(), QStringLiteral("Signature"), line}));
}

} // namespace

std::shared_ptr<IRunContext> ReportBuilder::MakeContext(const SequenceDocument& document, std::shared_ptr<IStandards> selected)
{
    auto context = std::make_shared<RunContext>();
    context->SetInstruments(document.Instruments());
    context->SetSelectedStandards(std::move(selected));
    return context;
}

std::shared_ptr<Report> ReportBuilder::Build(const SequenceDocument& document, const std::shared_ptr<IRunContext>& context,
                                             bool failuresOnly)
{
    auto report = std::make_shared<Report>();
    report->SetTitle(document.Title().isEmpty() ? QStringLiteral("Test report") : document.Title());
    report->SetPageNote(QStringLiteral("Device ") + orDash(document.Dut().serialNumber));
    report->SetPrintOptions(failuresOnly ? kFailuresOnly : 0);
    const auto results = SequenceResults::Collect(document);
    addHeader(*report, document, results);
    for (int i = 0; i < document.Count(); ++i) {
        const ElementResult& result = results[static_cast<size_t>(i)];
        if (!document.Entry(i).enabled)
            continue;
        // A failures-only report still lists what was cut short: it is no pass either.
        if (failuresOnly && result.status != status::kFailed && result.status != status::kIncomplete)
            continue;
        report->AddHeading(QString::number(result.position) + QStringLiteral(". ") + result.name + QStringLiteral(" - ") +
                           SequenceResults::ElementStatusText(result));
        if (const QString note = SequenceResults::StatusNote(result); !note.isEmpty())
            report->AddParagraph(note);
        const SequenceEntry& entry = document.Entry(i);
        if (entry.started.isValid() && entry.ended.isValid())
            report->AddKeyValue(QStringLiteral("Performed"), timeSpan(entry.started, entry.ended, QStringLiteral("HH:mm:ss")));
        try {
            document.Entry(i).element->PrintReport(report, Variant(std::static_pointer_cast<IObject>(context)));
        } catch (...) {
            const ComError failure = ComError::fromCurrent();
            report->AddParagraph(QStringLiteral("The element could not print its report: %1").arg(failure.description()));
        }
        addVerdicts(*report, result, failuresOnly);
        report->AddChart(entry.curve);
        if (!result.comment.isEmpty())
            report->AddKeyValue(QStringLiteral("Comment"), result.comment);
    }
    addSignOff(*report, document);
    return report;
}

} // namespace ostrel
