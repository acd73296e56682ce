// CMeasurement::Load on arbitrary documents: a clear error or a loaded measurement, never a crash.
#include "host/core/ComError.h"
#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"
#include "plugin/measure/CMeasurement.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto document = ostrel::StorageDocument::Create();
    try {
        document->LoadText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const ostrel::ComError&) {
        return 0; // not a document
    }
    const ostrel::StorageElement root = document->Root();
    if (!root)
        return 0;
    auto progress = std::make_shared<ostrel::Progress>();
    auto measurement = std::make_shared<nb4410::CMeasurement>();
    try {
        measurement->Load(root, progress);
        // What was loaded prints and stores again.
        std::int32_t status = 0;
        measurement->GetValueText(status);
        measurement->ToolTipText();
        measurement->Save(ostrel::StorageDocument::Create());
    } catch (const ostrel::ComError&) {
    }
    if (progress->OpenStepCount() != 0)
        __builtin_trap(); // a load must close its step
    return 0;
}
