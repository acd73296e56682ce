#include "StandardsCatalog.h"

#include "SequenceDocument.h"

#include "host/contract/ILimitData.h"
#include "host/core/RegistryStore.h"
#include "host/core/Steps.h"
#include "host/results/Progress.h"
#include "host/results/Standard.h"
#include "host/results/Standards.h"

#include <QDir>
#include <QFileInfo>

namespace ostrel {

StandardsCatalog::StandardsCatalog(ProgressPtr progress)
{
    m_library.LoadBuiltIn();
    const QString folder = UserFolder();
    if (!QDir(folder).exists())
        return;
    // A file that cannot be read is reported into progress; it is also remembered, as a
    // selection may then miss the standards it held.
    auto log = std::make_shared<Progress>();
    m_library.LoadFolder(folder, log);
    m_allFilesRead = log->WorstSeverity() < 2;
    if (progress)
        for (const auto& entry : log->Log())
            progress->Report(entry.number, entry.severity, entry.text, Variant());
}

QString StandardsCatalog::UserFolder()
{
    return QFileInfo(RegistryStore::DefaultUserFile()).absolutePath() + QStringLiteral("/standards");
}

QList<StandardRef> StandardsCatalog::Available() const
{
    QList<StandardRef> refs;
    const auto all = m_library.All();
    for (std::int32_t i = 0; all && i < all->Count(); ++i) {
        const auto standard = all->Item(i);
        refs.append({standard->ShortName(), standard->FullName()});
    }
    return refs;
}

std::shared_ptr<IStandards> StandardsCatalog::Resolve(const QList<StandardRef>& selection) const
{
    auto selected = std::make_shared<Standards>();
    const auto all = m_library.All();
    for (const auto& ref : selection) {
        auto standard = all ? all->Find(ref.shortName, ref.fullName) : nullptr;
        if (!standard && all) {
            // A standard renamed in its full name is still the one of that short name.
            for (std::int32_t i = 0; i < all->Count() && !standard; ++i)
                if (all->Item(i)->ShortName() == ref.shortName)
                    standard = all->Item(i);
        }
        if (standard)
            selected->Add(standard);
    }
    return selected;
}

std::shared_ptr<IStandards> StandardsCatalog::Resolve(const SequenceDocument& document, QList<StandardRef>* unresolved) const
{
    // The elements judge with their own limits, found by the selected standard's two names, so
    // a selected standard judges only when an element carries it: from the library or made
    // with "New standard" alike.
    auto selected = std::make_shared<Standards>();
    const QList<StandardRef> carried = document.ElementStandards();
    for (const auto& ref : document.SelectedStandards()) {
        if (carried.contains(ref)) {
            auto named = std::make_shared<Standard>();
            named->Initialize(Variant(ref.shortName), Variant(ref.fullName), 1);
            selected->Add(named);
        } else if (unresolved) {
            unresolved->append(ref);
        }
    }
    return selected;
}

QList<StandardRef> StandardsCatalog::Available(const SequenceDocument& document) const
{
    QList<StandardRef> refs = Available();
    for (const auto& ref : document.ElementStandards())
        if (!refs.contains(ref))
            refs.append(ref);
    return refs;
}

void StandardsCatalog::CopyInto(const StandardRef& ref, const std::shared_ptr<ILimitData>& limits) const
{
    const auto all = m_library.All();
    const auto source = all ? all->Find(ref.shortName, ref.fullName) : nullptr;
    if (!source || !limits)
        return;
    if (auto existing = limits->Standards(); existing && existing->Find(ref.shortName, ref.fullName))
        return; // already there: the element's own edits are kept
    const auto target = limits->CreateStandard(Variant(ref.shortName), Variant(ref.fullName));
    if (!target)
        return;
    for (const auto& item : target->LimitItems()) {
        for (const auto& from : source->LimitItems()) {
            if (from->Key() != item->Key())
                continue;
            // The first limit item of the key in the library's standard sets the limits.
            item->SetUnit(from->Unit());
            item->SetUnitFlag(from->UnitFlag());
            for (int index = 0; index < 2; ++index) {
                if (from->IsLimitSet(index))
                    item->SetLimit(index, from->Limit(index));
                else
                    item->ClearLimit(index);
            }
            break;
        }
    }
}

} // namespace ostrel
