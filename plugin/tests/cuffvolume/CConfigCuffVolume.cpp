#include "CConfigCuffVolume.h"

#include "host/core/ClassTable.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CConfigCuffVolume", CConfigCuffVolume)

using ostrel::Variant;

namespace {
MConfigStore::Origin storeOrigin()
{
    return {QString::fromLatin1(CConfigCuffVolume::kSource),
            QStringLiteral("20802::Loading cuff volume test configuration data"), 4, 3};
}
} // namespace

CConfigCuffVolume::CConfigCuffVolume() : m_testGuideSettings(std::make_shared<ostrel::TestGuideSettings>()) {}

void CConfigCuffVolume::CopyTestGuideSettingsFrom(const CConfigCuffVolume& other)
{
    m_testGuideSettings = MConfigStore::CopySettings(other.m_testGuideSettings);
}

std::shared_ptr<ostrel::IConfigData> CConfigCuffVolume::Clone()
{
    auto copy = std::make_shared<CConfigCuffVolume>();
    copy->CopyTestGuideSettingsFrom(*this);
    return copy;
}

std::shared_ptr<ostrel::IDialog> CConfigCuffVolume::CreateDialog()
{
    return FDialogWrapper::Open(QString::fromLatin1(kEditorProgId), Variant(shared_from_this()));
}

void CConfigCuffVolume::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    MConfigStore::LoadStep(element, progress, storeOrigin(), [&](std::int32_t step) {
        m_testGuideSettings = std::make_shared<ostrel::TestGuideSettings>();
        if (const ostrel::StorageElement settings = element.FirstChild(QLatin1String(MXmlTags::kTestGuideSettings)))
            m_testGuideSettings->Load(settings, progress);
        else
            MConfigStore::ReportMissing(progress, step);
    });
}

ostrel::StorageElement CConfigCuffVolume::Save(const ostrel::StorageDocumentPtr& document)
{
    return MConfigStore::Save(document, storeOrigin(), [&](ostrel::StorageElement& element) {
        MConfigStore::SaveSettings(element, document, m_testGuideSettings);
    });
}

} // namespace nb4410
