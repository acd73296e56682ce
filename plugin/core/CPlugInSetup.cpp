#include "CPlugInSetup.h"

#include "CPropertyBag.h"
#include "host/core/Paths.h"
#include "host/core/ErrorService.h"
#include "host/core/RegistryStore.h"
#include "host/core/Steps.h"

namespace nb4410 {

namespace {

const QString kPlugIn = QStringLiteral("NB-4410");
constexpr char kSource[] = "VessorNB4410.CPlugInSetup";
const QString kSetupIdName = QStringLiteral("setup id");
const QString kSetupId = QStringLiteral("NB-4410 Plug-In setup");
const QString kLngPathName = QStringLiteral("lngpath");
const QString kConfigFileName = QStringLiteral("configfile");

constexpr ostrel::HResult kSettingsOfAnotherKind = ostrel::hr(0x8004A28Du);
constexpr ostrel::HResult kRegistryKeyMissing = ostrel::hr(0x8004A28Eu);

enum Setting { kLngPathSetting = 0, kConfigFileSetting = 1 };

} // namespace

QString CPlugInSetup::GetDefault(int setting)
{
    switch (setting) {
    case kLngPathSetting:
        return ostrel::Paths::DataFile(QStringLiteral("Language"));
    case kConfigFileSetting:
        return ostrel::Paths::DataFile(QStringLiteral("OstrelNB4410.mpc"));
    default:
        return QString();
    }
}

void CPlugInSetup::Initialize()
{
    ostrel::runStep("load the plug-in settings from the registry",
                    [&] { RegLoad(ostrel::Hive::LocalMachine, QString::fromLatin1(kRegistryKey)); });
}

void CPlugInSetup::RegLoad(ostrel::Hive hive, const QString& keyPath)
{
    ostrel::RegistryKeyPtr key;
    try {
        key = ostrel::RegistryStore::instance().Open(hive, keyPath);
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(kSource);
    }
    if (!key)
        ostrel::ErrorService::instance().Raise(kPlugIn, kRegistryKeyMissing, kSource, 3);
    m_configFile = key->Text(QStringLiteral("Configuration"));
    if (m_configFile.isEmpty())
        m_configFile = GetDefault(kConfigFileSetting);
}

QString CPlugInSetup::Settings()
{
    CPropertyBag bag;
    bag.WriteProperty(kSetupIdName, kSetupId);
    bag.WriteProperty(kLngPathName, m_lngPath, GetDefault(kLngPathSetting));
    bag.WriteProperty(kConfigFileName, m_configFile, GetDefault(kConfigFileSetting));
    // The bag's bytes, one character each: the text carries them unchanged.
    return QString::fromLatin1(bag.Contents());
}

void CPlugInSetup::SetSettings(const QString& settings)
{
    CPropertyBag bag;
    // A character above 255 cannot come from Settings: such a text is of another kind.
    const bool bytesOnly = std::all_of(settings.cbegin(), settings.cend(), [](QChar c) { return c.unicode() < 256; });
    if (bytesOnly)
        bag.SetContents(settings.toLatin1());
    if (bag.ReadProperty(kSetupIdName) != kSetupId)
        ostrel::ErrorService::instance().Raise(kPlugIn, kSettingsOfAnotherKind, kSource, 1);
    m_lngPath = bag.ReadProperty(kLngPathName, GetDefault(kLngPathSetting));
    m_configFile = bag.ReadProperty(kConfigFileName, GetDefault(kConfigFileSetting));
}

} // namespace nb4410
