#include "host/results/Standards.h"

#include "host/contract/IProgress.h"
#include "host/contract/IReport.h"
#include "host/core/ClassTable.h"
#include "host/results/LimitItem.h"
#include "host/results/Report.h"
#include "host/results/Standard.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

OSTREL_REGISTER_CLASS(kStandardsProgId, Standards)

namespace {

constexpr char kModule[] = "Ostrel";
constexpr HResult kBadStandard = hr(0x8004A4EFu);
// A refused value (a limit that is not a finite number, or a lower limit above the upper one):
// the application treats it as an error.
constexpr std::int32_t kRefusedSeverity = 3;

std::shared_ptr<Standard> copyOf(const std::shared_ptr<IStandard>& standard)
{
    if (auto own = std::dynamic_pointer_cast<Standard>(standard))
        return own->Clone();
    auto copy = std::make_shared<Standard>();
    copy->Initialize(standard->ShortName(), standard->FullName(), 1);
    for (const auto& item : standard->LimitItems()) {
        auto itemCopy = std::make_shared<LimitItem>();
        itemCopy->Initialize(item->Key(), item->Unit(), QString(), QString());
        itemCopy->SetUnitFlag(item->UnitFlag());
        for (int index = 0; index < 2; ++index) {
            if (item->IsLimitSet(index))
                itemCopy->SetLimit(index, item->Limit(index));
        }
        copy->AddLimitItem(itemCopy);
    }
    return copy;
}

} // namespace

std::shared_ptr<IStandard> Standards::Item(std::int32_t index)
{
    if (index < 0 || index >= Count())
        throw ComError(kErrSubscript, kSource, QStringLiteral("Subscript out of range"));
    return m_items[static_cast<size_t>(index)];
}

std::shared_ptr<IStandard> Standards::Find(const QString& shortName, const QString& fullName)
{
    for (const auto& standard : m_items) {
        if (standard->ShortName() == shortName && standard->FullName() == fullName)
            return standard;
    }
    return nullptr;
}

std::shared_ptr<IStandards> Standards::Clone()
{
    auto copy = std::make_shared<Standards>();
    for (const auto& standard : m_items)
        copy->m_items.push_back(copyOf(standard));
    return copy;
}

void Standards::Add(std::shared_ptr<IStandard> standard)
{
    if (!standard)
        throw ComError(kE_Pointer, kSource, QStringLiteral("Object variable not set"));
    m_items.push_back(std::move(standard));
}

void Standards::AddOrReplace(std::shared_ptr<IStandard> standard)
{
    if (!standard)
        throw ComError(kE_Pointer, kSource, QStringLiteral("Object variable not set"));
    for (auto& held : m_items) {
        if (held->ShortName() == standard->ShortName() && held->FullName() == standard->FullName()) {
            held = std::move(standard);
            return;
        }
    }
    m_items.push_back(std::move(standard));
}

void Standards::Load(const StorageElement& element, ProgressPtr progress)
{
    if (!element)
        throw ComError(kE_Pointer, kSource, QStringLiteral("No element to load the standards from."));
    for (int index = 0; index < element.ChildCount(); ++index) {
        const StorageElement child = element.Child(index);
        if (child.Name() != QLatin1String(LimitTags::kStandard))
            continue;
        try {
            QStringList refused;
            m_items.push_back(Standard::Load(child, &refused));
            if (progress && !refused.isEmpty()) {
                const std::int32_t step = progress->OpenStep(kModule, QStringLiteral("Loading limits"));
                for (const QString& why : refused)
                    progress->Report(kBadStandard, kRefusedSeverity,
                                     QStringLiteral("Standard %1: %2 and is refused.").arg(m_items.back()->ShortName(), why),
                                     Variant());
                if (step != 0)
                    progress->CloseStep(step);
            }
        } catch (const ComError& failure) {
            if (!progress)
                continue;
            const std::int32_t step = progress->OpenStep(kModule, QStringLiteral("Loading limits"));
            progress->Report(kBadStandard, 2, failure.description(), Variant());
            if (step != 0)
                progress->CloseStep(step);
        }
    }
}

StorageElement Standards::Save(const StorageDocumentPtr& document)
{
    if (!document)
        throw ComError(kE_Pointer, kSource, QStringLiteral("No document to store the standards in."));
    StorageElement element = document->CreateElement(LimitTags::kStandards);
    if (!element)
        throw ComError(kE_Fail, kSource, QStringLiteral("The standards could not be stored."));
    // An own standard stores itself; another kind is stored through a copy of ours.
    for (const auto& standard : m_items) {
        const auto own = std::dynamic_pointer_cast<Standard>(standard);
        element.AppendChild(own ? own->Save(document) : copyOf(standard)->Save(document));
    }
    return element;
}

void Standards::PrintReport(ReportPtr report, std::shared_ptr<IStandards> selected, const Variant& keyTable)
{
    if (!report)
        return;
    std::vector<std::shared_ptr<IStandard>> printed;
    if (selected) {
        for (std::int32_t index = 0; index < selected->Count(); ++index) {
            const auto wanted = selected->Item(index);
            if (auto found = Find(wanted->ShortName(), wanted->FullName()))
                printed.push_back(found);
        }
    } else {
        printed = m_items;
    }

    const QString format = QStringLiteral("<560|<+900|<+2880|>+1440|>+1440|<+!1200;");
    const QString titles = QStringLiteral("|{\\i\\b %1}|{\\i\\b %2}|{\\i\\b %3}|{\\i\\b %4}|{\\i\\b %5};")
                               .arg(report->Translate(kModule, QStringLiteral("5001::Key")),
                                    report->Translate(kModule, QStringLiteral("5002::Description")),
                                    report->Translate(kModule, QStringLiteral("5003::Upper limit")),
                                    report->Translate(kModule, QStringLiteral("5004::Lower limit")),
                                    report->Translate(kModule, QStringLiteral("5005::Unit")));
    for (const auto& standard : printed) {
        const QString rows = copyOf(standard)->ReportRows(keyTable);
        if (rows.isEmpty())
            continue;
        QString name = Report::CellText(standard->ShortName());
        if (!standard->FullName().isEmpty())
            name += QStringLiteral(" - ") + Report::CellText(standard->FullName());
        const QString heading = QStringLiteral("|{\\i\\b %1: %2};")
                                    .arg(report->Translate(kModule, QStringLiteral("5000::Limits")), name)
                              + titles;
        report->SetFontSize(10);
        report->SetSpaceBefore(6);
        report->SetRuled(1);
        report->AddTable(format, heading, rows, 0, 0, 0);
    }
}

void Standards::UpdateReferences(std::shared_ptr<ITestElement>)
{
    // Standards hold no references to elements.
}

} // namespace ostrel
