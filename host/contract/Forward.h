#pragma once
// Forward declarations of the host contract, so that headers name each other cheaply.
#include <memory>

class QWidget;

namespace ostrel {
class IObject;
class Variant;
class VariantArray;
class StorageDocument;
class StorageElement;
class ICallback;
class ICustomControl;
class IDialog;
class IPlugIn;
class ISetup;
class ITestElement;
class ITestList;
class ITestInfo;
class IFilter;
class IServiceRecord;
class IConfigData;
class IResultData;
class ILimitData;
class IMeasurement;
class IProgress;
class IReport;
class IRunContext;
class IStandards;
class IStandard;
class ILimitItem;
class MtiData;
class InstrumentList;

using StorageDocumentPtr = std::shared_ptr<StorageDocument>;
using ProgressPtr = std::shared_ptr<IProgress>;
using ReportPtr = std::shared_ptr<IReport>;
} // namespace ostrel
