#pragma once
// Names of every stored element and attribute of the plug-in. Search here for a literal to find
// the one place it is written.
namespace nb4410::MXmlTags {

inline constexpr char kPlugInData[] = "PlugInData";
inline constexpr char kPlugIn[] = "PlugIn";
inline constexpr char kPlugInName[] = "NB-4410";
inline constexpr char kTestGuideSettings[] = "TestGuideSettings";
inline constexpr char kResultItem[] = "ResultItem";
inline constexpr char kMti[] = "MTI";
inline constexpr char kStatus[] = "Status";
inline constexpr char kComment[] = "Comment";
inline constexpr char kServiceRecord[] = "ServiceRecord";

inline constexpr char kMeasurement[] = "Measurement";
inline constexpr char kKey[] = "Key";
inline constexpr char kFlags[] = "Flags";
inline constexpr char kDescription[] = "Description";
inline constexpr char kValue[] = "Value";
inline constexpr char kPresetValue[] = "PresetValue";
inline constexpr char kUnit[] = "Unit";

inline constexpr char kExpectedResult[] = "ExpectedResult";

// The catalogue file.
inline constexpr char kTemplateData[] = "TemplateData";
inline constexpr char kTestElement[] = "TestElement";
inline constexpr char kClassName[] = "ClassName";
inline constexpr char kLid[] = "LID";
inline constexpr char kParameter[] = "Parameter";
inline constexpr char kType[] = "Type";
inline constexpr char kName[] = "Name";

} // namespace nb4410::MXmlTags
