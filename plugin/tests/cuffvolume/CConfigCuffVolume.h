#pragma once
// The configuration of a cuff-volume test. The test has no parameter of its own; the
// configuration carries the element's test-guide settings and opens the editor.
#include "plugin/guide/INB4410TestGuideConfig.h"
#include "plugin/tests/common/CConfigBase.h"

namespace nb4410 {

class CConfigCuffVolume : public CConfigBase<CConfigCuffVolume, INB4410TestGuideConfig> {
public:
    static constexpr char kSource[] = "NB4410Tests.CConfigCuffVolume";
    static constexpr char kEditorProgId[] = "OstrelNB4410.XConfigCuffVolume";

    CConfigCuffVolume();

    // No field: only the test-guide settings are stored, and the report gets no table.
    static const ConfigTable<CConfigCuffVolume>& Fields();
};

} // namespace nb4410
