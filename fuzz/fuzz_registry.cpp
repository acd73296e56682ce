// Fuzzes the registry file parser: any input is either refused with a ComError or read into a
// tree that writes out to a text which reads back to the same tree.
#include "host/core/RegistryFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ostrel::RegistryNodePtr tree;
    try {
        tree = ostrel::RegistryFile::Parse(input, QStringLiteral("fuzz.reg"));
    } catch (const ostrel::ComError&) {
        return 0;
    }
    const QByteArray written = ostrel::RegistryFile::Format(*tree);
    try {
        const auto again = ostrel::RegistryFile::Parse(written, QStringLiteral("written.reg"));
        if (ostrel::RegistryFile::Format(*again) != written)
            std::abort(); // what was written does not read back the same
    } catch (const ostrel::ComError&) {
        std::abort(); // what was written cannot be read
    }
    return 0;
}
