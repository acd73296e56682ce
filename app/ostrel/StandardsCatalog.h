#pragma once
// The standards the application offers: the shipped examples plus the user's standards files
// (the "standards" folder beside the user's registry file). A sequence selects standards by
// name; its selection is resolved here into the collection a run context hands the elements.
#include "DeviceUnderTest.h"

#include "host/results/StandardsLibrary.h"

#include <QList>

namespace ostrel {

class SequenceDocument;

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
    // The document's selection as the run hands it to the elements: the standards an element
    // carries (from the library or made with "New standard"); a selected standard that no
    // element carries would judge nothing and goes to unresolved instead.
    std::shared_ptr<IStandards> Resolve(const SequenceDocument& document, QList<StandardRef>* unresolved = nullptr) const;
    // The library's standards and then those the document's elements carry, each once.
    QList<StandardRef> Available(const SequenceDocument& document) const;
    // Whether every user standards file could be read.
    bool AllFilesRead() const { return m_allFilesRead; }
    // Copies the library standard's limits into a limit data as a new standard of its own.
    void CopyInto(const StandardRef& ref, const std::shared_ptr<ILimitData>& limits) const;

    static QString UserFolder();

private:
    StandardsLibrary m_library;
    bool m_allFilesRead = true;
};

} // namespace ostrel
