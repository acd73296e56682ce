#pragma once
// The host's bookkeeping of one test element: identifiers, parent, information, filter,
// configuration, limits and result. Test elements forward their plain members here.
//
// Stored form of a whole element (Save), holding what its parts store themselves:
//   <ElementData PlugIn="NB-4410" TestID="300" ID="7">
//     <PlugInData .../> <ExpectedResult .../> <ResultItem .../>
//   </ElementData>
// Load takes either that element or one of the three parts on its own.
#include "host/contract/IConfigData.h"
#include "host/contract/ILimitData.h"
#include "host/contract/IResultData.h"
#include "host/contract/ITestElement.h"

#include <functional>

namespace ostrel {

class ElementCore : public IObject {
public:
    static constexpr char kElement[] = "ElementData";
    static constexpr char kSource[] = "Ostrel.ElementCore";
    // Load: the element is none of the known parts; a part arrives without an object to take it.
    static constexpr HResult kUnknownElement = hr(0x8004A2C0u);
    static constexpr HResult kNoConfiguration = hr(0x8004A2C1u);
    static constexpr HResult kNoLimits = hr(0x8004A2C2u);
    static constexpr HResult kNoResult = hr(0x8004A2C8u);
    // Save: the document gave no element.
    static constexpr HResult kSaveFailed = hr(0x8004A2CDu);

    using ResultFactory = std::function<std::shared_ptr<IResultData>()>;

    ElementCore();

    void Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id);

    QString PlugInID() const { return m_plugInId; }
    std::int32_t TestID() const { return m_testId; }
    std::int32_t ID() const { return m_id; }
    void SetID(std::int32_t id) { m_id = id; }
    std::shared_ptr<ITestElement> Parent() const { return m_parent.lock(); }
    void SetParent(const std::shared_ptr<ITestElement>& parent) { m_parent = parent; }
    std::shared_ptr<ITestInfo> Info() const { return m_info; }
    void SetInfo(std::shared_ptr<ITestInfo> info) { m_info = std::move(info); }
    std::shared_ptr<IFilter> Filter() const { return m_filter; }
    void SetFilter(std::shared_ptr<IFilter> filter) { m_filter = std::move(filter); }
    std::shared_ptr<IConfigData> Configuration() const { return m_configuration; }
    void SetConfiguration(std::shared_ptr<IConfigData> configuration) { m_configuration = std::move(configuration); }
    std::shared_ptr<ILimitData> Limits() const { return m_limits; }
    void SetLimits(std::shared_ptr<ILimitData> limits) { m_limits = std::move(limits); }
    std::shared_ptr<IResultData> Result() const { return m_result; }
    void SetResult(std::shared_ptr<IResultData> result) { m_result = std::move(result); }
    // Makes the result object when a stored "ResultItem" arrives and the core has none.
    void SetResultFactory(ResultFactory factory) { m_resultFactory = std::move(factory); }

    // A deep copy: identifiers, a copy of the information and the filter, and clones of the
    // configuration and limits. The copy has no parent and no result: results belong to the
    // run that made them, and a clone starts as a fresh element.
    std::shared_ptr<ElementCore> Clone() const;

    void Load(const StorageElement& element, ProgressPtr progress);
    StorageElement Save(const StorageDocumentPtr& document) const;
    // Configuration, limits (with the run context given as extra, when it is one) and result.
    void PrintReport(ReportPtr report, const Variant& extra);
    // Releases every part; the core is empty afterwards.
    void Terminate();

private:
    void loadPart(const StorageElement& element, const ProgressPtr& progress);

    QString m_plugInId;
    std::int32_t m_testId = 0;
    std::int32_t m_id = 0;
    std::weak_ptr<ITestElement> m_parent;
    std::shared_ptr<ITestInfo> m_info;
    std::shared_ptr<IFilter> m_filter;
    std::shared_ptr<IConfigData> m_configuration;
    std::shared_ptr<ILimitData> m_limits;
    std::shared_ptr<IResultData> m_result;
    ResultFactory m_resultFactory;
};

using ElementCorePtr = std::shared_ptr<ElementCore>;

} // namespace ostrel
