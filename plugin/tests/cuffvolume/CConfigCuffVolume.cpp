#include "CConfigCuffVolume.h"

#include "host/contract/IProgress.h"
#include "host/core/ClassTable.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CConfigCuffVolume", CConfigCuffVolume)

using ostrel::Variant;

namespace {
const QString kModule = QStringLiteral("NB-4410");
const QString kLoadingText = QStringLiteral("20802::Loading cuff volume test configuration data");
const QString kMissingText = QStringLiteral("20101::Configuration parameter missing. Default value restored.");
} // namespace

CConfigCuffVolume::CConfigCuffVolume() : m_testGuideSettings(std::make_shared<ostrel::TestGuideSettings>()) {}

void CConfigCuffVolume::CopyTestGuideSettingsFrom(const CConfigCuffVolume& other)
{
    m_testGuideSettings = other.m_testGuideSettings ? other.m_testGuideSettings->Clone()
                                                    : std::make_shared<ostrel::TestGuideSettings>();
}

std::shared_ptr<ostrel::IConfigData> CConfigCuffVolume::Clone()
{
    auto copy = std::make_shared<CConfigCuffVolume>();
    copy->CopyTestGuideSettingsFrom(*this);
    return copy;
}

std::shared_ptr<ostrel::IDialog> CConfigCuffVolume::CreateDialog()
{
    auto wrapper = std::make_shared<FDialogWrapper>();
    wrapper->CreateSetupCtrl(QString::fromLatin1(kEditorProgId));
    wrapper->Initialize(Variant(shared_from_this()));
    return wrapper;
}

void CConfigCuffVolume::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    std::int32_t step = 0;
    try {
        if (progress)
            step = progress->OpenStep(kModule, kLoadingText);
        if (!element || element.Name() != QLatin1String(MXmlTags::kPlugInData))
            ostrel::ErrorService::instance().Raise(kModule, kLoadError, QString::fromLatin1(kSource), 4);
        m_testGuideSettings = std::make_shared<ostrel::TestGuideSettings>();
        if (const ostrel::StorageElement settings = element.FirstChild(QLatin1String(MXmlTags::kTestGuideSettings)))
            m_testGuideSettings->Load(settings, progress);
        else if (step > 0)
            progress->Report(kLoadError, 2, kMissingText, Variant());
        if (step != 0)
            progress->CloseStep(step);
    } catch (...) {
        if (step != 0)
            ostrel::runStep("close load step", [&] { progress->CloseStep(step); });
        const ostrel::ComError failure = ostrel::ComError::fromCurrent();
        if (failure.number() == kLoadError && failure.source() == QLatin1String(kSource))
            ostrel::ErrorService::instance().Raise(QString(), 0, QString(), 1);
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

ostrel::StorageElement CConfigCuffVolume::Save(const ostrel::StorageDocumentPtr& document)
{
    try {
        ostrel::StorageElement element =
            document ? document->CreateElement(QLatin1String(MXmlTags::kPlugInData)) : ostrel::StorageElement();
        if (!element)
            ostrel::ErrorService::instance().Raise(kModule, kSaveError, QString::fromLatin1(kSource), 3);
        element.SetAttribute(QLatin1String(MXmlTags::kPlugIn), QLatin1String(MXmlTags::kPlugInName));
        if (m_testGuideSettings)
            if (ostrel::StorageElement settings = m_testGuideSettings->Save(document))
                element.AppendChild(settings);
        return element;
    } catch (...) {
        const ostrel::ComError failure = ostrel::ComError::fromCurrent();
        if (failure.number() == kSaveError && failure.source() == QLatin1String(kSource))
            ostrel::ErrorService::instance().Raise(QString(), 0, QString(), 1);
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

} // namespace nb4410
