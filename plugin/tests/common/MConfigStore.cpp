#include "MConfigBPStore.h"

#include "host/contract/IProgress.h"
#include "host/contract/IReport.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"
#include "plugin/measure/MXmlTags.h"

namespace nb4410::MConfigBPStore {

namespace {
const QString kModule = QStringLiteral("NB-4410");
const QString kLoadingText = QStringLiteral("20401::Loading blood pressure test configuration data");
const QString kMissingText = QStringLiteral("20101::Configuration parameter missing. Default value restored.");

// Inside a catch block: the class's own error goes on as it is, any other through pass-on.
[[noreturn]] void passOn(ostrel::HResult own, const QString& source)
{
    const ostrel::ComError failure = ostrel::ComError::fromCurrent();
    if (failure.number() == own && failure.source() == source)
        ostrel::ErrorService::instance().Raise(QString(), 0, QString(), 1);
    ostrel::ErrorService::instance().PassOn(source);
}
} // namespace

void Load(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, const QString& source,
          const std::function<void()>& reset, const std::function<int(const ostrel::StorageElement&)>& loadChild,
          int allPresent)
{
    std::int32_t step = 0;
    try {
        if (progress)
            step = progress->OpenStep(kModule, kLoadingText);
        if (!element || element.Name() != QLatin1String(MXmlTags::kPlugInData))
            ostrel::ErrorService::instance().Raise(kModule, kLoadError, source, 2);
        reset();
        int present = 0;
        for (int i = 0; i < element.ChildCount(); ++i)
            present |= loadChild(element.Child(i));
        if (present < allPresent && step > 0)
            progress->Report(kLoadError, 2, kMissingText, ostrel::Variant());
        if (step != 0)
            progress->CloseStep(step);
    } catch (...) {
        if (step != 0)
            ostrel::runStep("close load step", [&] { progress->CloseStep(step); });
        passOn(kLoadError, source);
    }
}

ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document, const QString& source,
                            const std::function<void(ostrel::StorageElement&)>& fill)
{
    try {
        ostrel::StorageElement element =
            document ? document->CreateElement(QLatin1String(MXmlTags::kPlugInData)) : ostrel::StorageElement();
        if (!element)
            ostrel::ErrorService::instance().Raise(kModule, kSaveError, source, 2);
        element.SetAttribute(QLatin1String(MXmlTags::kPlugIn), QLatin1String(MXmlTags::kPlugInName));
        fill(element);
        return element;
    } catch (...) {
        passOn(kSaveError, source);
    }
}

void PrintTable(const ostrel::ReportPtr& report, const std::vector<std::pair<QString, QString>>& rows)
{
    if (!report)
        return;
    QString heading;
    QString format;
    QString text;
    ostrel::runStep("configuration heading", [&] {
        heading = QStringLiteral("|{\\i\\b ") + report->Translate(kModule, QStringLiteral("310::Configuration"))
            + QStringLiteral("};");
    });
    ostrel::runStep("configuration columns", [&] {
        const std::int32_t w = (report->Width(10) - 3360) / 4;
        format = QStringLiteral("<+560|<2240|<+%1|<+%1|<+%1|<+!%1|<+560;").arg(w);
    });
    const QString indent(6, QLatin1Char(' '));
    for (const auto& [caption, value] : rows)
        ostrel::runStep("configuration row", [&] {
            text += QLatin1Char('|') + report->Translate(kModule, caption) + indent + QLatin1Char('|') + value
                + QLatin1Char(';');
        });
    if (text.isEmpty())
        return;
    ostrel::runStep("font size", [&] { report->SetFontSize(10); });
    ostrel::runStep("space before", [&] { report->SetSpaceBefore(0); });
    ostrel::runStep("ruled", [&] { report->SetRuled(1); });
    ostrel::runStep("configuration table", [&] {
        report->AddTable(format, heading, text, ostrel::Variant(0), ostrel::Variant(0), ostrel::Variant(0));
    });
}

float ReadFloat(const ostrel::StorageElement& element)
{
    return static_cast<float>(ostrel::leadingNumber(element.Text()));
}

std::int16_t ReadInteger(const QString& text)
{
    return ostrel::roundToInteger(ostrel::leadingNumber(text));
}

std::uint8_t ReadByte(const QString& text)
{
    return ostrel::Variant(ostrel::roundToLong(ostrel::leadingNumber(text))).toByte();
}

} // namespace nb4410::MConfigBPStore
