#pragma once
// The host's XML factory: storage documents, new or read from a file.
#include "host/storage/StorageElement.h"

namespace ostrel {

class XmlFactory {
public:
    static StorageDocumentPtr Create();
    // Fails like StorageDocument::LoadFile: naming the file, and the place of a parse error.
    static StorageDocumentPtr Load(const QString& path);
};

} // namespace ostrel
