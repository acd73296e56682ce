#pragma once
// What every configuration of the plug-in does the same way, from its table of fields
// (Derived::Fields()): the test-guide settings, clone, load, save and the report table, and
// its editor opened by Derived::kEditorProgId. Each public operation passes a failure on with
// the class's source (Derived::kSource).
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/tests/common/MConfigFields.h"

#include "host/contract/IConfigData.h"
#include "host/core/ErrorService.h"

namespace nb4410 {

template <class Derived, class Interface>
class CConfigBase : public ostrel::IConfigData, public Interface {
public:
    static constexpr ostrel::HResult kLoadError = MConfigStore::kLoadError;
    static constexpr ostrel::HResult kSaveError = MConfigStore::kSaveError;

    ostrel::TestGuideSettingsPtr TestGuideSettings() const { return m_testGuideSettings; }
    ostrel::TestGuideSettingsPtr TestGuideConfig() override { return m_testGuideSettings; }
    void CopyTestGuideSettingsFrom(const Derived& other)
    {
        m_testGuideSettings = MConfigStore::CopySettings(other.m_testGuideSettings);
    }

    // IConfigData
    bool HasDialog() override { return true; }

    std::shared_ptr<ostrel::IConfigData> Clone() override
    {
        try {
            auto copy = std::make_shared<Derived>();
            static_cast<CConfigBase&>(*copy).CopyFrom(self());
            return copy;
        } catch (...) {
            passOn();
        }
    }

    std::shared_ptr<ostrel::IDialog> CreateDialog() override
    {
        try {
            return FDialogWrapper::Open(QString::fromLatin1(Derived::kEditorProgId), ostrel::Variant(this->shared_from_this()));
        } catch (...) {
            passOn();
        }
    }

    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override
    {
        MConfigFields::Load(Derived::Fields(), self(), element, progress);
    }

    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document) override
    {
        return MConfigFields::Save(Derived::Fields(), self(), document);
    }

    void PrintReport(ostrel::ReportPtr report) override { MConfigFields::PrintReport(Derived::Fields(), self(), report); }

protected:
    CConfigBase() = default;

    // The defaults of every field and new settings; each class calls it when it is made.
    void ResetFields() { MConfigFields::Reset(Derived::Fields(), self()); }
    // Clone copies the fields and the settings; a class with more to copy extends it.
    virtual void CopyFrom(const Derived& other) { MConfigFields::Copy(Derived::Fields(), other, self()); }

    ostrel::TestGuideSettingsPtr m_testGuideSettings;

private:
    Derived& self() { return static_cast<Derived&>(*this); }

    [[noreturn]] static void passOn() { ostrel::ErrorService::instance().PassOn(QString::fromLatin1(Derived::kSource)); }
};

} // namespace nb4410
