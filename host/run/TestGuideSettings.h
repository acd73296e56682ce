#pragma once
// The test-guide settings a configuration owns: a list of Boolean options of which the first,
// and so far only, decides whether the optional Skip and NA buttons are offered.
//
// Stored form, inside the configuration's "PlugInData":
//   <TestGuideSettings><Option Index="0">1</Option></TestGuideSettings>
#include "host/contract/Forward.h"
#include "host/core/Object.h"
#include "host/core/ComError.h"
#include "host/storage/StorageElement.h"

#include <QString>
#include <vector>

namespace ostrel {

class TestGuideSettings : public IObject {
public:
    static constexpr char kElement[] = "TestGuideSettings";
    static constexpr char kSkipNAText[] =
        "20264::Select whether or not the optional Skip and NA buttons should be enabled in the test guide.";
    static constexpr int kSkipNA = 0;
    static constexpr HResult kLoadError = hr(0x8004A2D2u);

    TestGuideSettings();

    int Count() const { return static_cast<int>(m_options.size()); }
    bool Option(int index) const; // false for an unknown index
    void SetOption(int index, bool value);
    QString OptionText(int index) const; // untranslated
    bool SkipNAEnabled() const { return Option(kSkipNA); }

    std::shared_ptr<TestGuideSettings> Clone() const;
    void Load(const StorageElement& element, ProgressPtr progress);
    StorageElement Save(const StorageDocumentPtr& document) const; // no element when the document gives none

private:
    std::vector<bool> m_options;
};

using TestGuideSettingsPtr = std::shared_ptr<TestGuideSettings>;

} // namespace ostrel
