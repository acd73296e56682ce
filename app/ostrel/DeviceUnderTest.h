#pragma once
// The device a sequence is run against; part of the document and of the report header.
#include <QString>

namespace ostrel {

struct DeviceUnderTest {
    QString serialNumber;
    QString model;
    QString location;
    QString technician;

    bool operator==(const DeviceUnderTest&) const = default;
};

// One standard selected for the sequence, named as the standards library names it.
struct StandardRef {
    QString shortName;
    QString fullName;

    bool operator==(const StandardRef&) const = default;
};

} // namespace ostrel
