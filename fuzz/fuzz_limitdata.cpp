// CNB4410LimitData::Load on arbitrary documents: a clear error or loaded standards, never a crash.
#include "host/core/ComError.h"
#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"
#include "plugin/measure/CMeasurement.h"
#include "plugin/measure/CNB4410LimitData.h"
#include "host/contract/IStandards.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto document = ostrel::StorageDocument::Create();
    try {
        document->LoadText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const ostrel::ComError&) {
        return 0;
    }
    const ostrel::StorageElement root = document->Root();
    if (!root)
        return 0;
    auto limits = std::make_shared<nb4410::CNB4410LimitData>();
    try {
        limits->Load(root, std::make_shared<ostrel::Progress>());
    } catch (const ostrel::ComError&) {
        return 0;
    }
    // Loaded standards judge, clone and store themselves.
    auto standards = limits->Standards();
    if (!standards)
        return 0;
    auto measurement = std::make_shared<nb4410::CMeasurement>();
    measurement->Define(QStringLiteral("SYST"), QStringLiteral("mmHg"), QString(), 1);
    measurement->SetValue(120.0f);
    measurement->SetPresetValue(QStringLiteral("118"));
    measurement->UpdateStatus(limits, standards);
    limits->Clone();
    try {
        limits->Save(ostrel::StorageDocument::Create());
    } catch (const ostrel::ComError&) {
    }
    return 0;
}
