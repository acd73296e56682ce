#include "plugin/measure/CNB4410LimitData.h"

#include "host/contract/IMeasurement.h"
#include "host/contract/IRunContext.h"
#include "host/contract/IStandards.h"
#include "host/contract/ITestElement.h"
#include "host/core/ClassRegistry.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/results/ILimitView.h"
#include "host/results/LimitRule.h"
#include "host/results/Standards.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MLimitUtils.h"
#include "plugin/measure/MXmlTags.h"

namespace nb4410 {

using ostrel::Variant;

namespace {

std::shared_ptr<ostrel::IStandards> newStandards()
{
    return ostrel::ClassRegistry::instance().CreateAs<ostrel::IStandards>(ostrel::kStandardsProgId);
}

} // namespace

CNB4410LimitData::~CNB4410LimitData()
{
    // The collection is released, not emptied: a result view or a clone may still show it.
    m_standards.reset();
}

QString CNB4410LimitData::Description() { return QString(); }
void CNB4410LimitData::SetDescription(const QString&) {}
bool CNB4410LimitData::HasDialog() { return true; }
std::shared_ptr<ostrel::IStandards> CNB4410LimitData::Standards() { return m_standards; }
std::shared_ptr<ostrel::ITestElement> CNB4410LimitData::Owner() { return m_owner.lock(); }
void CNB4410LimitData::UpdateLimits(ostrel::ObjectPtr) {}

void CNB4410LimitData::SetOwner(const std::shared_ptr<ostrel::ITestElement>& owner)
{
    m_owner = owner;
}

std::int32_t CNB4410LimitData::ownerTestId()
{
    const auto owner = m_owner.lock();
    return owner ? owner->TestID() : 0;
}

void CNB4410LimitData::CopyStandardsFrom(const std::shared_ptr<ostrel::ILimitData>& other)
{
    if (!other)
        return;
    m_standards.reset();
    if (auto standards = other->Standards())
        m_standards = standards->Clone();
}

std::shared_ptr<ostrel::ILimitData> CNB4410LimitData::Clone()
{
    try {
        auto copy = std::make_shared<CNB4410LimitData>();
        if (m_standards)
            copy->m_standards = m_standards->Clone();
        return copy;
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(kSource);
    }
}

std::shared_ptr<ostrel::IDialog> CNB4410LimitData::CreateDialog()
{
    try {
        auto wrapper = std::make_shared<FDialogWrapper>();
        QWidget* control = wrapper->CreateSetupCtrl(QString::fromLatin1(kLimitViewProgId));
        if (!control) {
            wrapper->Unload();
            return nullptr;
        }
        MLimitUtils::FillLimitView(dynamic_cast<ostrel::ILimitView*>(control), ownerTestId());
        wrapper->Initialize(Variant(shared_from_this()));
        return wrapper;
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(kSource);
    }
}

std::shared_ptr<ostrel::IStandard> CNB4410LimitData::CreateStandard(const Variant& shortName, const Variant& fullName)
{
    try {
        auto standard = ostrel::ClassRegistry::instance().CreateAs<ostrel::IStandard>(ostrel::kStandardProgId);
        standard->Initialize(shortName, fullName, 1);
        MLimitUtils::AddDefaultLimits(standard, ownerTestId());
        if (!m_standards)
            m_standards = newStandards();
        m_standards->Add(standard);
        return standard;
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(kSource);
    }
}

void CNB4410LimitData::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    auto& errors = ostrel::ErrorService::instance();
    try {
        if (element.Name() != QLatin1String(MXmlTags::kExpectedResult))
            errors.Raise(QString(), kLoadError, kSource, 1);
        m_standards = newStandards();
        m_standards->Load(element, progress);
        if (m_standards->Count() == 0)
            m_standards.reset();
    } catch (...) {
        if (ostrel::ComError::fromCurrent().number() == kLoadError)
            throw;
        errors.PassOn(kSource);
    }
}

ostrel::StorageElement CNB4410LimitData::Save(const ostrel::StorageDocumentPtr& document)
{
    if (!m_standards)
        return {};
    try {
        ostrel::StorageElement element = m_standards->Save(document);
        if (element)
            element.Rename(MXmlTags::kExpectedResult);
        return element;
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(kSource);
    }
}

void CNB4410LimitData::PrintReport(ostrel::ReportPtr report, std::shared_ptr<ostrel::IRunContext> context)
{
    if (!m_standards || m_standards->Count() < 1)
        return;
    try {
        const Variant keyTable = MLimitUtils::ReportKeyTable(report, ownerTestId());
        std::shared_ptr<ostrel::IStandards> selected = context ? context->SelectedStandards() : nullptr;
        m_standards->PrintReport(report, selected, keyTable);
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(kSource);
    }
}

std::shared_ptr<ostrel::IStandards> CNB4410LimitData::FindFailedStandards(std::shared_ptr<ostrel::IMeasurement> measurement,
                                                                          std::shared_ptr<ostrel::IStandards> selected)
{
    if (!m_standards || !measurement || m_standards->Count() == 0)
        return nullptr;
    QString key;
    double value = 0.0;
    double preset = 0.0;
    ostrel::runStep("read the measurement key", [&] { key = measurement->Key(); });
    ostrel::runStep("convert the value", [&] { value = ostrel::LimitRule::ValueOf(measurement->Value()); });
    ostrel::runStep("convert the preset value", [&] { preset = ostrel::LimitRule::ValueOf(measurement->PresetValue()); });

    std::shared_ptr<ostrel::IStandards> failures;
    ostrel::runStep("create the failures collection", [&] { failures = newStandards(); });
    if (!failures || !selected)
        return nullptr;
    std::int32_t count = 0;
    ostrel::runStep("count the selected standards", [&] { count = selected->Count(); });
    for (std::int32_t index = 0; index < count; ++index) {
        ostrel::runStep("evaluate a standard", [&] {
            const auto wanted = selected->Item(index);
            const auto standard = m_standards->Find(wanted->ShortName(), wanted->FullName());
            if (standard && standard->Evaluate(key, value, preset) == 2)
                failures->Add(standard);
        });
    }
    if (failures->Count() == 0)
        return nullptr;
    return failures;
}

} // namespace nb4410
