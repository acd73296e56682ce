// A small registering library for the class registry tests: created by program identifier
// through its registration, never linked by the tests.
#include "host/core/ClassTable.h"

#include <QLabel>

namespace {

class ILibraryThing : public virtual ostrel::IObject {
public:
    virtual int Answer() = 0;
};

class CThing : public ILibraryThing {
public:
    int Answer() override { return 42; }
};

class XThingControl : public QLabel {
public:
    explicit XThingControl(QWidget* parent) : QLabel(QStringLiteral("thing"), parent) {}
};

} // namespace

OSTREL_REGISTER_CLASS("OstrelTestLib.CThing", CThing)
OSTREL_REGISTER_CONTROL("OstrelTestLib.XThingControl", XThingControl)
OSTREL_LIBRARY_EXPORTS("OstrelTestLib")
