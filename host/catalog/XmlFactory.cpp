#include "XmlFactory.h"

namespace ostrel {

StorageDocumentPtr XmlFactory::Create()
{
    return StorageDocument::Create();
}

StorageDocumentPtr XmlFactory::Load(const QString& path)
{
    auto document = StorageDocument::Create();
    document->LoadFile(path);
    return document;
}

} // namespace ostrel
