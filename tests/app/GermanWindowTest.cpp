// The window in German: with the shipped translation selected, the plug-in's numbered texts
// (catalogue, editors, limits, result views) and the application's own texts appear
// translated, and no English default of a translated numbered text is left anywhere in it.
#include "app/ostrel/AppEnvironment.h"
#include "app/ostrel/MainWindow.h"
#include "app/ostrel/PlugInHost.h"
#include "host/core/LanguageService.h"
#include "host/core/Paths.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/app/LoadedPlugIn.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTabBar>
#include <QTest>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

// English default (the text after the number) -> German, from the shipped translation source.
std::map<QString, QString> numberedTexts()
{
    std::map<QString, QString> texts;
    QFile file(QStringLiteral(OSTREL_SOURCE_DIR "/translations/numbered_de.ts"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation"))
            texts[source.section(QStringLiteral("::"), 1).trimmed()] = xml.readElementText();
    }
    return texts;
}

QStringList shownTexts(QWidget* root)
{
    QStringList texts;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets << root;
    for (QWidget* widget : widgets) {
        if (!widget->isVisible())
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << group->title();
        if (auto* tabs = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto* list = qobject_cast<QListWidget*>(widget))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        for (QAction* action : widget->actions())
            texts << action->text();
    }
    for (QString& text : texts)
        text = text.trimmed();
    texts.removeAll(QString());
    return texts;
}

class GermanWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AppEnvironment::Languages().contains(QStringLiteral("de")));
        ASSERT_TRUE(AppEnvironment::InstallTranslators(QStringLiteral("de")));
        LanguageService::instance().SetLanguageFolder(AppEnvironment::LanguageFolder(QStringLiteral("de")));
    }
    void TearDown() override
    {
        AppEnvironment::InstallTranslators(QString());
        LanguageService::instance().SetLanguageFolder(QString());
    }
    MessageGuard messages;
};

TEST_F(GermanWindow, ShowsNoUntranslatedPlugInText)
{
    const auto texts = numberedTexts();
    ASSERT_GT(texts.size(), 100u);
    const auto host = ostrel::testing::loadedPlugIn();
    ASSERT_TRUE(host);
    MainWindow window(host);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.OpenFile(Paths::DataFile(QStringLiteral("samples/nibp-check.xml")));
    ASSERT_GT(window.Document().Count(), 0);

    QStringList seen;
    for (int i = 0; i < window.Document().Count(); ++i) {
        window.Select(i);
        seen << shownTexts(&window);
    }
    QStringList untranslated;
    for (const QString& text : seen) {
        const auto it = texts.find(text);
        if (it != texts.end() && it->second != text)
            untranslated << text;
    }
    untranslated.removeDuplicates();
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QStringLiteral(" | ")).toStdString();
    // The catalogue, an editor's captions and the application's own texts are German.
    for (const char* german : {"Dichtheitsprüfung", "Startdruck (mmHg):", "Zum Ablauf hinzufügen", "&Datei"})
        EXPECT_TRUE(seen.contains(QString::fromUtf8(german))) << german;
}

} // namespace
