#pragma once
// Where the product's files are. Shipped data (registry data, the catalogue, language files,
// standards, samples) is looked for in the build tree first (the application folder holds a
// "registry" folder there), then in the installed data folder: "../share/ostrel" from the
// program's folder, which keeps an unpacked or moved tree working, then the data folders of
// QStandardPaths. $OSTREL_DATA_DIR overrides all of them.
//
// Libraries loaded by name (the plug-in, the driver, the simulator) are in the folder of the
// host library itself: the application folder in the build tree, lib/<triplet>/ostrel when
// installed. The user's own files follow the XDG base directories.
#include <QString>

namespace ostrel {

class Paths {
public:
    // The shipped data folder, with a trailing "/".
    static QString DataDir();
    static QString DataFile(const QString& relative) { return DataDir() + relative; }

    // The folder of the product's libraries, with a trailing "/".
    static QString LibraryDir();
    // A library name without a folder is taken from LibraryDir; a path stays as it is.
    static QString LibraryFile(const QString& name);
    // The inverse for registrations: a library in LibraryDir by its bare file name, any other
    // by its absolute path, so that registry data stays valid when the tree moves.
    static QString LibraryReference(const QString& absolutePath);

    // The user's configuration folder ($XDG_CONFIG_HOME/ostrel) and data folder
    // ($XDG_DATA_HOME/ostrel), with a trailing "/"; not created here.
    static QString UserConfigDir();
    static QString UserDataDir();

    static inline const char kDataDirVariable[] = "OSTREL_DATA_DIR";
};

} // namespace ostrel
