#pragma once
// What the host says to the test guide: the caption for an element, and whether the operator
// really wants to abort.
#include "host/contract/Forward.h"

#include <QString>
#include <memory>

namespace ostrel {

class TestGuideService {
public:
    static TestGuideService& instance();

    // The element's name from its information object, else its plug-in and test identifiers.
    QString ElementCaption(const std::shared_ptr<ITestElement>& element) const;
    // Asks the operator through the message service; true to abort.
    bool ConfirmAbort(const std::shared_ptr<ITestElement>& element) const;
};

} // namespace ostrel
