#pragma once
// Numbered texts on widgets: the widget side of the language service, kept apart so that the
// core library, the driver and the command-line tools do not need Qt Widgets.
#include <QString>

class QWidget;

namespace ostrel {

class WidgetTranslator {
public:
    // Resolves captions, texts and tool tips of the form "NNNNN::default" on the widget and all
    // its children through LanguageService::Translate.
    static void Translate(QWidget* root, const QString& module);
};

} // namespace ostrel
