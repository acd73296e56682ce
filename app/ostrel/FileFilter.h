#pragma once
// The name filters of the window's save and export dialogs: a name typed without the chosen
// filter's extension gets it, so that what is saved is found again under that filter and a
// report is written in the format the filter names.
#include <QString>
#include <QStringList>

namespace ostrel {

class FileFilter {
public:
    // The extensions of one filter ("PDF (*.pdf)" gives "pdf"), without "*."; empty for a
    // filter that takes any name ("All files (*)").
    static QStringList Extensions(const QString& filter);
    // path, with the filter's first extension added unless it ends in one of them already.
    static QString WithExtension(const QString& path, const QString& filter);
};

} // namespace ostrel
