#pragma once
// What the application sets up around the Qt application object: the platform (offscreen
// when there is no display or the run is headless), the language folder and the message sink.
#include <QString>

namespace ostrel {

class AppEnvironment {
public:
    // Before QApplication exists: chooses the offscreen platform when there is no display
    // (no DISPLAY / WAYLAND_DISPLAY) or when headless is asked for, unless QT_QPA_PLATFORM is set.
    static void PreparePlatform(bool headless);
    static bool HasDisplay();

    // After QApplication exists: names, the language folder of the chosen language.
    static void Prepare();

    // The registry key of the application's own settings.
    static QString SettingsKey();
    static QString Language();              // "" for the default texts
    static void SetLanguage(const QString& language);
    static QString LanguageFolder(const QString& language);
    static QStringList Languages();         // the sub-folders of the language folder
};

} // namespace ostrel
