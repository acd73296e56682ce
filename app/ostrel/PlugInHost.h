#pragma once
// The plug-in as the application holds it: created by program identifier through the class
// registry, initialised once, and asked for its catalogue and for new elements.
#include "SequenceDocument.h"

#include "host/contract/IPlugIn.h"

#include <QImage>
#include <vector>

namespace ostrel {

struct CatalogueEntry {
    std::int32_t testId = 0;
    QString name;
    QString description;
    QImage icon;      // small icon; null when the plug-in has none
    QImage largeIcon; // null when the plug-in has none
};

class PlugInHost {
public:
    static constexpr char kPlugInProgId[] = "OstrelNB4410.CPlugInNB4410";

    // Creates and initialises the plug-in; fails with the plug-in's or the registry's error.
    void Load(const QString& progId = QString::fromLatin1(kPlugInProgId));
    // Uses an existing plug-in object (tests); initialises it.
    void Use(std::shared_ptr<IPlugIn> plugIn);

    std::shared_ptr<IPlugIn> PlugIn() const { return m_plugIn; }
    std::vector<CatalogueEntry> Catalogue() const;

    // A new element of the plug-in; fails when the plug-in ID is not this plug-in's.
    TestElementPtr CreateElement(const QString& plugInId, std::int32_t testId) const;
    ElementFactory Factory() const;

private:
    std::shared_ptr<IPlugIn> m_plugIn;
};

} // namespace ostrel
