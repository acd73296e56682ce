#pragma once
// The registry export text: reading it into a key tree and writing a tree back.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410]
//   "Configuration"="C:\\path\\file"
//   "ID"=dword:00000001
//   @="default value"
//
// Only HKEY_LOCAL_MACHINE is known. Text values become String variants, dword values Long.
#include "RegistryNode.h"

#include <QByteArray>
#include <QString>

namespace ostrel {

class RegistryFile {
public:
    // The tree of HKEY_LOCAL_MACHINE held by the text. Fails with kRegistryFileInvalid naming
    // the file and the line of the first fault; nothing of a faulty text is returned.
    static RegistryNodePtr Parse(const QByteArray& content, const QString& fileName);
    static RegistryNodePtr Load(const QString& path); // a missing file fails with kErrFileNotFound
    static QByteArray Format(const RegistryNode& root);
    // Writes a temporary file beside the target and renames it over the target.
    static void Save(const RegistryNode& root, const QString& path);

    static constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
    static constexpr const char* kHive = "HKEY_LOCAL_MACHINE";
};

// "The configuration registry database is corrupt."
constexpr HResult kRegistryFileInvalid = hr(0x800703F1u);

} // namespace ostrel
