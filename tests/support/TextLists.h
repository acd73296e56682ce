#pragma once
// Lists of texts to compare in one assertion: written out, or the items of a variant array.
#include "host/core/Variant.h"

#include <QStringList>
#include <initializer_list>

namespace ostrel::testing {

inline QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

inline QStringList texts(const VariantArray& array)
{
    QStringList list;
    for (const auto& item : array.items())
        list << item.text();
    return list;
}

} // namespace ostrel::testing
