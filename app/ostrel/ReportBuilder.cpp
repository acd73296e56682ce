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

void addHeader(Report& report, const SequenceDocument& document, const std::vector<ElementResult>& results)
{
    const DeviceUnderTest& dut = document.Dut();
    report.AddHeading(QStringLiteral("Device under test"));
    report.AddKeyValue(QStringLiteral("Serial number"), orDash(dut.serialNumber));
    report.AddKeyValue(QStringLiteral("Model"), orDash(dut.model));
    report.AddKeyValue(QStringLiteral("Location"), orDash(dut.location));
    report.AddKeyValue(QStringLiteral("Technician"), orDash(dut.technician));
    report.AddKeyValue(QStringLiteral("Date"), QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyyy-MM-dd HH:mm")));
    QStringList standards;
    for (const auto& ref : document.SelectedStandards())
        standards << ref.shortName;
    report.AddKeyValue(QStringLiteral("Standards"), orDash(standards.join(QStringLiteral(", "))));

    report.AddHeading(QStringLiteral("Instruments"));
    const auto& instruments = document.Instruments()->items();
    if (instruments.empty())
        report.AddParagraph(QStringLiteral("No instrument was used."));
    for (const auto& mti : instruments)
        report.AddKeyValue(QStringLiteral("%1 #%2").arg(mti->Name()).arg(mti->Number()),
                           QStringLiteral("serial number %1, firmware %2").arg(orDash(mti->SerialNo()), orDash(mti->FWVersion())));

    report.AddHeading(QStringLiteral("Overall verdict"));
    report.AddKeyValue(QStringLiteral("Verdict"), SequenceResults::VerdictText(SequenceResults::Overall(results)));
    for (const auto& result : results)
        report.AddKeyValue(QStringLiteral("%1. %2").arg(result.position).arg(result.name), SequenceResults::ElementStatusText(result));
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
        report->AddHeading(QStringLiteral("%1. %2 - %3").arg(result.position).arg(result.name, SequenceResults::ElementStatusText(result)));
        if (const QString note = SequenceResults::StatusNote(result); !note.isEmpty())
            report->AddParagraph(note);
        try {
            document.Entry(i).element->PrintReport(report, Variant(std::static_pointer_cast<IObject>(context)));
        } catch (...) {
            const ComError failure = ComError::fromCurrent();
            report->AddParagraph(QStringLiteral("The element could not print its report: %1").arg(failure.description()));
        }
        if (!result.comment.isEmpty())
            report->AddKeyValue(QStringLiteral("Comment"), result.comment);
    }
    return report;
}

} // namespace ostrel
