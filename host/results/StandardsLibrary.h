#pragma once
// The library of standards a sequence selects from: the example standards shipped with the
// program, plus any standards files the user adds.
#include "host/contract/IStandards.h"

#include <QStringList>
#include <memory>

namespace ostrel {

class Standards;

class StandardsLibrary {
public:
    static constexpr char kSource[] = "Ostrel.StandardsLibrary";
    static constexpr char kRootName[] = "StandardsLibrary";
    static constexpr char kBuiltInFile[] = ":/ostrel/standards/example-standards.xml";

    StandardsLibrary();

    // The shipped example standards.
    void LoadBuiltIn();
    // A standards file (root "StandardsLibrary" or "Standards" holding "Standard" elements).
    // Fails with a ComError naming the file. A standard whose names are already held replaces it.
    void LoadFile(const QString& path);
    void LoadText(const QByteArray& utf8, const QString& origin);
    // Every *.xml file of the folder; a bad file is reported into the progress object and skipped.
    void LoadFolder(const QString& folder, ProgressPtr progress = nullptr);
    void SaveFile(const QString& path) const;

    std::shared_ptr<IStandards> All() const;
    QStringList ShortNames() const;
    // A new collection of the library's standards with these short names, in the order given;
    // unknown names are skipped.
    std::shared_ptr<IStandards> Select(const QStringList& shortNames) const;
    void Add(std::shared_ptr<IStandard> standard);

private:
    std::shared_ptr<Standards> m_standards;
};

} // namespace ostrel
