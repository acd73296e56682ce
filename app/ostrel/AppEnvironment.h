#pragma once
// What the application sets up around the Qt application object: the platform (offscreen
// when there is no display or the run is headless), the language folder and the message sink.
#include <QString>

namespace ostrel {

class AppEnvironment {
public:
    // Before QApplication exists: chooses the offscreen platform when there is no display
    // (no DISPLAY / WAYLAND_DISPLAY) or when headless is asked for, unless QT_QPA_PLATFORM is set.
    // Headless, the offscreen platform's complaints about window features it lacks are not
    // printed: the user asked for the run's lines, not for those.
    static void PreparePlatform(bool headless);
    // Before anything large is allocated: keeps the memory freed at the top of the heap for the
    // next allocation instead of giving it back at once. Qt's PDF writer takes and frees
    // buffers of megabytes for every page; returned and faulted in again page after page,
    // they cost a third of a long report's time.
    static void PrepareMemory();
    // Whether a message of Qt is one of those complaints.
    static bool IsPlatformNoise(const QString& category, const QString& message);
    static bool HasDisplay();
    // After QApplication exists: whether a window shown can be seen by someone (not the
    // offscreen or minimal platforms).
    static bool WindowsAreSeen();

    // After QApplication exists: names, the language folder and the translators of the chosen
    // language.
    static void Prepare();

    // The registry key of the application's own settings.
    static QString SettingsKey();
    static QString Language();              // "" for the default texts
    static void SetLanguage(const QString& language);
    static QString LanguageFolder(const QString& language);
    // The languages there are texts for: the sub-folders of the language folder and the
    // translations "translations/ostrel_<language>.qm" of the data folder ("de").
    static QStringList Languages();
    // Installs the Qt translators of the language (the application's and the plug-in's
    // numbered texts, then Qt's own); "" removes them. False when the language has none.
    static bool InstallTranslators(const QString& language);
};

} // namespace ostrel
