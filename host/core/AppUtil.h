#pragma once
// The application utility: the application folder as a path prefix.
#include <QString>

namespace ostrel {

// The folder of the running application with a trailing "/", so that a file name can be
// appended directly: AppPath() + "OstrelNB4410.mpc".
QString AppPath();

} // namespace ostrel
