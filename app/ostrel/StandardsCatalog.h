#pragma once
// The standards the application offers: the shipped examples plus the user's standards files
// (the "standards" folder beside the user's registry file). A sequence selects standards by
// name; its selection is resolved here into the collection a run context hands the elements.
#include "DeviceUnderTest.h"

#include "host/results/StandardsLibrary.h"

#include <QList>

namespace ostrel {

class StandardsCatalog {
public:
    // Loads the shipped standards and the user's folder; a faulty user file is skipped and
    // reported into progress.
    explicit StandardsCatalog(ProgressPtr progress = nullptr);

    const StandardsLibrary& Library() const { return m_library; }
    QList<StandardRef> Available() const;
    // The library's standards of the selection, in its order; names the library does not hold
    // are left out.
    std::shared_ptr<IStandards> Resolve(const QList<StandardRef>& selection) const;
    // Copies the library standard's limits into a limit data as a new standard of its own.
    void CopyInto(const StandardRef& ref, const std::shared_ptr<ILimitData>& limits) const;

    static QString UserFolder();

private:
    StandardsLibrary m_library;
};

} // namespace ostrel
