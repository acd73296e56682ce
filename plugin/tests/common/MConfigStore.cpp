#include "MConfigStore.h"

#include "host/contract/IProgress.h"
#include "host/contract/IReport.h"
#include "host/core/BasicNumber.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"
#include "plugin/measure/MXmlTags.h"

#include <cmath>

namespace nb4410::MConfigStore {

namespace {
const QString kModule = QStringLiteral("NB-4410");
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

void LoadStep(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, const Origin& origin,
              const std::function<void(std::int32_t step)>& read)
{
    std::int32_t step = 0;
    try {
        if (progress)
            step = progress->OpenStep(kModule, origin.loadingText);
        if (!element || element.Name() != QLatin1String(MXmlTags::kPlugInData))
            ostrel::ErrorService::instance().Raise(kModule, kLoadError, origin.source, origin.loadKind);
        read(step);
        if (step != 0)
            progress->CloseStep(step);
    } catch (...) {
        if (step != 0)
            ostrel::runStep("close load step", [&] { progress->CloseStep(step); });
        passOn(kLoadError, origin.source);
    }
}

void Load(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, const Origin& origin,
          const std::function<void()>& reset, const std::function<int(const ostrel::StorageElement&)>& loadChild,
          int allPresent)
{
    LoadStep(element, progress, origin, [&](std::int32_t step) {
        reset();
        int present = 0;
        for (int i = 0; i < element.ChildCount(); ++i)
            present |= loadChild(element.Child(i));
        if (present < allPresent)
            ReportMissing(progress, step);
    });
}

void ReportMissing(const ostrel::ProgressPtr& progress, std::int32_t step)
{
    if (step > 0)
        progress->Report(kLoadError, 2, kMissingText, ostrel::Variant());
}

ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document, const Origin& origin,
                            const std::function<void(ostrel::StorageElement&)>& fill)
{
    try {
        ostrel::StorageElement element =
            document ? document->CreateElement(QLatin1String(MXmlTags::kPlugInData)) : ostrel::StorageElement();
        if (!element)
            ostrel::ErrorService::instance().Raise(kModule, kSaveError, origin.source, origin.saveKind);
        element.SetAttribute(QLatin1String(MXmlTags::kPlugIn), QLatin1String(MXmlTags::kPlugInName));
        fill(element);
        return element;
    } catch (...) {
        passOn(kSaveError, origin.source);
    }
}

void SaveSettings(ostrel::StorageElement& element, const ostrel::StorageDocumentPtr& document,
                  const ostrel::TestGuideSettingsPtr& settings)
{
    if (settings)
        if (ostrel::StorageElement saved = settings->Save(document))
            element.AppendChild(saved);
}

ostrel::TestGuideSettingsPtr CopySettings(const ostrel::TestGuideSettingsPtr& settings)
{
    return settings ? settings->Clone() : std::make_shared<ostrel::TestGuideSettings>();
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
    for (const auto& row : rows)
        ostrel::runStep("configuration row", [&] {
            text += QLatin1Char('|') + report->Translate(kModule, row.first) + indent + QLatin1Char('|') + row.second
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

double ReadChecked(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress, Range range,
                   double fallback)
{
    const QString text = element.Text().trimmed();
    bool number = false;
    const double value = text.toDouble(&number);
    const bool accepted = number && std::isfinite(value) && value >= range.minimum && value <= range.maximum
                       && (!range.whole || value == std::floor(value));
    if (accepted)
        return value;
    if (progress)
        ostrel::runStep("report a refused value", [&] {
            progress->Report(kLoadError, kRefusedSeverity, QString::fromLatin1(kRefusedText),
                             ostrel::Variant(ostrel::VariantArray{ostrel::Variant(element.Name()), ostrel::Variant(text),
                                                                  ostrel::Variant(ostrel::numberToText(range.minimum)),
                                                                  ostrel::Variant(ostrel::numberToText(range.maximum))}));
        });
    return fallback;
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

} // namespace nb4410::MConfigStore
