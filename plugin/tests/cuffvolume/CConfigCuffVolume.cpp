#include "CConfigCuffVolume.h"

#include "host/core/ClassTable.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CConfigCuffVolume", CConfigCuffVolume)

using ostrel::Variant;

const ConfigTable<CConfigCuffVolume>& CConfigCuffVolume::Fields()
{
    static const ConfigTable<CConfigCuffVolume> table{
        {}, &CConfigCuffVolume::m_testGuideSettings,
        {QString::fromLatin1(kSource), QStringLiteral("20802::Loading cuff volume test configuration data"), 4, 3},
        ConfigMissing::WhenNone};
    return table;
}

CConfigCuffVolume::CConfigCuffVolume() { MConfigFields::Reset(Fields(), *this); }

void CConfigCuffVolume::CopyTestGuideSettingsFrom(const CConfigCuffVolume& other)
{
    m_testGuideSettings = MConfigStore::CopySettings(other.m_testGuideSettings);
}

std::shared_ptr<ostrel::IConfigData> CConfigCuffVolume::Clone()
{
    auto copy = std::make_shared<CConfigCuffVolume>();
    MConfigFields::Copy(Fields(), *this, *copy);
    return copy;
}

std::shared_ptr<ostrel::IDialog> CConfigCuffVolume::CreateDialog()
{
    return FDialogWrapper::Open(QString::fromLatin1(kEditorProgId), Variant(shared_from_this()));
}

void CConfigCuffVolume::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    MConfigFields::Load(Fields(), *this, element, progress);
}

ostrel::StorageElement CConfigCuffVolume::Save(const ostrel::StorageDocumentPtr& document)
{
    return MConfigFields::Save(Fields(), *this, document);
}

} // namespace nb4410
