#include "AppEnvironment.h"

#include <QGuiApplication>

#include "host/contract/ISetup.h"
#include "host/core/Paths.h"
#include "host/core/AppUtil.h"
#include "host/core/LanguageService.h"
#include "host/core/MessageService.h"
#include "host/core/RegistryStore.h"
#include "host/core/Steps.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <memory>
#include <vector>

namespace ostrel {

namespace {

const QString kLanguageValue = QStringLiteral("Language");
QtMessageHandler g_previousHandler = nullptr;
constexpr int kMmapThresholdBytes = 32 << 20;
constexpr int kTrimThresholdBytes = 64 << 20;
std::vector<std::unique_ptr<QTranslator>> g_translators;

QString translationsFolder()
{
    return Paths::DataFile(QStringLiteral("translations"));
}

void quietPlatformHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg && AppEnvironment::IsPlatformNoise(QString::fromLatin1(context.category), message))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

bool AppEnvironment::IsPlatformNoise(const QString& category, const QString& message)
{
    // The offscreen platform lacks window features the test-guide windows use; a headless
    // environment has no runtime directory. Neither tells the user anything about the run.
    return category.startsWith(QLatin1String("qt.qpa.")) || message.startsWith(QLatin1String("This plugin does not support"))
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

bool AppEnvironment::HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool AppEnvironment::WindowsAreSeen()
{
    const QString platform = QGuiApplication::platformName();
    return !platform.isEmpty() && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void AppEnvironment::PrepareMemory()
{
#ifdef __GLIBC__
    // Fixed thresholds (glibc's own adapt to the first large block freed, then still trim).
    mallopt(M_MMAP_THRESHOLD, kMmapThresholdBytes);
    mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes);
#endif
}

void AppEnvironment::PreparePlatform(bool headless)
{
    if (headless && !g_previousHandler)
        g_previousHandler = qInstallMessageHandler(&quietPlatformHandler);
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (headless || !HasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void AppEnvironment::Prepare()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Ostrel"));
    QCoreApplication::setApplicationVersion(ProjectVersion());
    MessageService::instance().SetApplicationTitle(QStringLiteral("Ostrel"));
    QString language;
    runStep("read the language", [&] { language = Language(); });
    LanguageService::instance().SetLanguageFolder(LanguageFolder(language));
    InstallTranslators(language);
}

bool AppEnvironment::InstallTranslators(const QString& language)
{
    for (const auto& translator : g_translators)
        QCoreApplication::removeTranslator(translator.get());
    g_translators.clear();
    if (language.isEmpty())
        return true;
    const auto install = [](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(name, folder))
            return false;
        QCoreApplication::installTranslator(translator.get());
        g_translators.push_back(std::move(translator));
        return true;
    };
    const bool own = install(QStringLiteral("ostrel_") + language, translationsFolder());
    install(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return own;
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
    InstallTranslators(language);
}

QString AppEnvironment::LanguageFolder(const QString& language)
{
    const QString base = Paths::DataFile(QStringLiteral("Language"));
    if (!language.isEmpty() && QDir(base).exists(language))
        return base + QLatin1Char('/') + language;
    return base;
}

QStringList AppEnvironment::Languages()
{
    QStringList languages = QDir(Paths::DataFile(QStringLiteral("Language"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& file : QDir(translationsFolder()).entryList({QStringLiteral("ostrel_*.qm")}, QDir::Files, QDir::Name)) {
        const QString language = file.mid(7).chopped(3);
        if (!languages.contains(language))
            languages << language;
    }
    languages.sort();
    return languages;
}

} // namespace ostrel
