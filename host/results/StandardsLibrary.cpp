#include "host/results/StandardsLibrary.h"

#include "host/contract/IProgress.h"
#include "host/results/Standard.h"
#include "host/results/Standards.h"
#include "host/storage/StorageElement.h"

#include <QDir>
#include <QFile>

namespace ostrel {

namespace {
constexpr HResult kBadLibraryFile = hr(0x8004A4F0u);
}

StandardsLibrary::StandardsLibrary() : m_standards(std::make_shared<Standards>()) {}

void StandardsLibrary::LoadBuiltIn()
{
    LoadFile(QString::fromLatin1(kBuiltInFile));
}

void StandardsLibrary::LoadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ComError(kErrFileNotFound, kSource,
                       QStringLiteral("The standards file \"%1\" cannot be read: %2").arg(path, file.errorString()));
    LoadText(file.readAll(), path);
}

void StandardsLibrary::LoadText(const QByteArray& utf8, const QString& origin)
{
    auto document = StorageDocument::Create();
    try {
        document->LoadText(utf8);
    } catch (const ComError& failure) {
        throw ComError(kBadLibraryFile, kSource,
                       QStringLiteral("The standards file \"%1\" is not readable: %2").arg(origin, failure.description()));
    }
    const StorageElement root = document->Root();
    if (!root || (root.Name() != QLatin1String(kRootName) && root.Name() != QLatin1String(LimitTags::kStandards)))
        throw ComError(kBadLibraryFile, kSource,
                       QStringLiteral("The file \"%1\" holds no standards (root element \"%2\" expected).")
                           .arg(origin, QString::fromLatin1(kRootName)));
    // Everything is read before anything is added, so a bad file leaves the library as it was.
    // A limit the limit editor would not store makes the file bad: judging with it left out
    // would quietly judge less than the file says.
    Standards loaded;
    QStringList refused;
    for (int index = 0; index < root.ChildCount(); ++index) {
        const StorageElement child = root.Child(index);
        if (child.Name() == QLatin1String(LimitTags::kStandard)) {
            QStringList refusedHere;
            loaded.Add(Standard::Load(child, &refusedHere));
            for (const QString& why : refusedHere)
                refused << QStringLiteral("standard %1: %2").arg(child.Attribute(LimitTags::kShortName), why);
        }
    }
    if (!refused.isEmpty())
        throw ComError(kBadLibraryFile, kSource,
                       QStringLiteral("The standards file \"%1\" is refused: %2.").arg(origin, refused.join(QStringLiteral("; "))));
    for (const auto& standard : loaded.items())
        Add(standard);
}

void StandardsLibrary::LoadFolder(const QString& folder, ProgressPtr progress)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        try {
            LoadFile(dir.filePath(name));
        } catch (const ComError& failure) {
            if (!progress)
                continue;
            const std::int32_t step = progress->OpenStep(QStringLiteral("Ostrel"), QStringLiteral("Loading standards"));
            progress->Report(failure.number(), 2, failure.description(), Variant());
            if (step != 0)
                progress->CloseStep(step);
        }
    }
}

void StandardsLibrary::SaveFile(const QString& path) const
{
    auto document = StorageDocument::Create();
    StorageElement root = document->CreateElement(kRootName);
    document->SetRoot(root);
    root = document->Root();
    for (const auto& standard : m_standards->items()) {
        if (auto own = std::dynamic_pointer_cast<Standard>(standard))
            root.AppendChild(own->Save(document));
    }
    document->SaveFile(path);
}

std::shared_ptr<IStandards> StandardsLibrary::All() const
{
    return m_standards;
}

QStringList StandardsLibrary::ShortNames() const
{
    QStringList names;
    for (const auto& standard : m_standards->items())
        names << standard->ShortName();
    return names;
}

std::shared_ptr<IStandards> StandardsLibrary::Select(const QStringList& shortNames) const
{
    auto selection = std::make_shared<Standards>();
    for (const QString& name : shortNames) {
        for (const auto& standard : m_standards->items()) {
            if (standard->ShortName() == name) {
                selection->Add(standard);
                break;
            }
        }
    }
    return selection;
}

void StandardsLibrary::Add(std::shared_ptr<IStandard> standard)
{
    if (standard)
        m_standards->AddOrReplace(std::move(standard));
}

} // namespace ostrel
