#pragma once
// The application utility: the application folder as a path prefix.
#include <QString>

namespace ostrel {

// The folder of the running application with a trailing "/", so that a file name can be
// appended directly: AppPath() + "OstrelNB4410.mpc".
QString AppPath();

// The project's version, "major.minor.revision", which every library of the build carries.
QString ProjectVersion();

} // namespace ostrel
