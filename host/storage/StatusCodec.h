#pragma once
// The status codec: a status with its text, and a typed value with its value type, to a
// storage element and back. What is stored reads back unchanged: the same variant type and
// value (Single values exactly), the same value type, the same status and text.
//
//   <Status Value="2">text</Status>
//   <Value ValueType="1" VarType="Single">12.5</Value>
//   <Value ValueType="0" VarType="Array"><Item VarType="Long">1</Item>...</Value>
#include "StorageElement.h"
#include "host/core/Variant.h"

#include <cstdint>

namespace ostrel {

class StatusCodec {
public:
    static StatusCodec& instance();

    // A detached "Status" element of the document; the caller appends it.
    static StorageElement StatusToElement(const StorageDocumentPtr& document, std::int32_t status, const QString& text);
    // Reads a "Status" element; a missing or unreadable number reads as 0.
    static void ElementToStatus(const StorageElement& element, std::int32_t& status, QString& text);

    // A detached "Value" element. Objects cannot be stored: type mismatch (13).
    static StorageElement ValueToElement(const StorageDocumentPtr& document, const Variant& value, std::int32_t valueType);
    // Reads a "Value" element back; fails with type mismatch (13) on a text that does not
    // read as its stored type.
    static void ElementToValue(const StorageElement& element, Variant& value, std::int32_t& valueType);
};

} // namespace ostrel
