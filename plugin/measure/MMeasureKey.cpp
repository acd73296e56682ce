#include "plugin/measure/MMeasureKey.h"

#include <array>

namespace nb4410::MMeasureKey {

namespace {

constexpr std::array<KeyInfo, 8> kKeys{{
    {kSyst, "20350::Systolic", "mmHg", "0"},
    {kDias, "20351::Diastolic", "mmHg", "0"},
    {kHart, "20353::Heart Rate", "BPM", "0"},
    {kMapr, "20352::MAP", "mmHg", "0.0"},
    {kCvol, "20370::Cuff Volume", "ccm", "0"},
    {kDrop, "20371::Pressure Drop", "mmHg", "0"},
    {kRate, "20372::Leak Rate", "mmHg/min", "0"},
    {kPeak, "20373::Monitor Release Pressure", "mmHg", ""},
}};

} // namespace

const KeyInfo* Find(const QString& key)
{
    for (const KeyInfo& info : kKeys) {
        if (key == QLatin1String(info.key))
            return &info;
    }
    return nullptr;
}

QString Description(const QString& key)
{
    const KeyInfo* info = Find(key);
    return info ? QString::fromUtf8(info->description) : QString();
}

QString Unit(const QString& key)
{
    const KeyInfo* info = Find(key);
    return info ? QString::fromUtf8(info->unit) : QString();
}

QString Format(const QString& key)
{
    const KeyInfo* info = Find(key);
    return info ? QString::fromUtf8(info->format) : QString();
}

QString UnitChoices(const QString& key)
{
    const QString unit = Unit(key);
    return unit.isEmpty() ? QString() : unit + QLatin1Char(';') + QLatin1String(kPercentUnit);
}

std::vector<QString> KeysOfTest(std::int32_t testId)
{
    switch (testId) {
    case 110:
        return {kSyst, kDias, kHart};
    case 120:
    case 130:
    case 140:
        return {kSyst, kDias, kHart, kMapr};
    case 200:
        return {kCvol};
    case 300:
        return {kDrop, kRate};
    case 400:
        return {kPeak};
    default:
        return {};
    }
}

} // namespace nb4410::MMeasureKey
