#include "AppEnvironment.h"

#include "host/contract/ISetup.h"
#include "host/core/AppUtil.h"
#include "host/core/LanguageService.h"
#include "host/core/MessageService.h"
#include "host/core/RegistryStore.h"
#include "host/core/Steps.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace ostrel {

namespace {
const QString kLanguageValue = QStringLiteral("Language");
}

bool AppEnvironment::HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void AppEnvironment::PreparePlatform(bool headless)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (headless || !HasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void AppEnvironment::Prepare()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Ostrel"));
    MessageService::instance().SetApplicationTitle(QStringLiteral("Ostrel"));
    QString language;
    runStep("read the language", [&] { language = Language(); });
    LanguageService::instance().SetLanguageFolder(LanguageFolder(language));
}

QString AppEnvironment::SettingsKey()
{
    return QStringLiteral("Software\\Halvard\\Ostrel\\Application");
}

QString AppEnvironment::Language()
{
    const auto key = RegistryStore::instance().Open(Hive::LocalMachine, SettingsKey());
    return key ? key->Text(kLanguageValue) : QString();
}

void AppEnvironment::SetLanguage(const QString& language)
{
    RegistryStore::instance().SetValue(Hive::LocalMachine, SettingsKey(), kLanguageValue, Variant(language));
    LanguageService::instance().SetLanguageFolder(LanguageFolder(language));
}

QString AppEnvironment::LanguageFolder(const QString& language)
{
    const QString base = AppPath() + QStringLiteral("Language");
    if (!language.isEmpty() && QDir(base).exists(language))
        return base + QLatin1Char('/') + language;
    return base;
}

QStringList AppEnvironment::Languages()
{
    return QDir(AppPath() + QStringLiteral("Language")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace ostrel
