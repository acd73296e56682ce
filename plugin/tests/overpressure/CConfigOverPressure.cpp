#include "CConfigOverPressure.h"

#include "host/contract/IReport.h"
#include "host/core/LanguageService.h"
#include "host/core/StringUtil.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::Variant;
using ostrel::VariantArray;

CConfigOverPressure::CConfigOverPressure() { MConfigFields::Reset(Fields(), *this); }

VariantArray CConfigOverPressure::TestParameters() const
{
    return MConfigFields::Parameters(Fields(), *this, kTestType);
}

VariantArray CConfigOverPressure::ConfigurationInformation() const
{
    return MConfigFields::InformationRows(Fields(), *this);
}

void CConfigOverPressure::CopyTestGuideSettingsFrom(const CConfigOverPressure& other)
{
    m_testGuideSettings = MConfigStore::CopySettings(other.m_testGuideSettings);
}

std::shared_ptr<ostrel::IConfigData> CConfigOverPressure::Clone()
{
    auto copy = std::make_shared<CConfigOverPressure>();
    MConfigFields::Copy(Fields(), *this, *copy);
    return copy;
}

std::shared_ptr<ostrel::IDialog> CConfigOverPressure::CreateDialog()
{
    return FDialogWrapper::Open(QString::fromLatin1(kEditorProgId), Variant(shared_from_this()));
}

void CConfigOverPressure::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    MConfigFields::Load(Fields(), *this, element, progress);
}

ostrel::StorageElement CConfigOverPressure::Save(const ostrel::StorageDocumentPtr& document)
{
    return MConfigFields::Save(Fields(), *this, document);
}

void CConfigOverPressure::PrintReport(ostrel::ReportPtr report)
{
    MConfigFields::PrintReport(Fields(), *this, report);
}

} // namespace nb4410
