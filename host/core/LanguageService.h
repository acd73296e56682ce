#pragma once
// Numbered message texts ("NNNNN::default text") resolved for display: from the module's
// translation file in the language folder when it holds that number, else from the
// application's Qt translators (translations/: context "NumberedTexts", the whole numbered text
// as the source), else the default text after the two colons; "%%1", "%%2", ... replaced by the
// parameters in order.
//
// A translation file is "<language folder>/<module>.lng" ("default.lng" for the empty module
// name), UTF-8, one "NNNNN=text" a line; "\n", "\r" and "\\" in the text stand for a line
// feed, a carriage return and a backslash; lines starting with ";" or "#" are comments.
#include "Variant.h"

#include <QHash>
#include <QString>

namespace ostrel {

class LanguageService {
public:
    static LanguageService& instance();

    QString Translate(const QString& module, const QString& text, const VariantArray& params = {});
    // Whether text has the form "NNNNN::default".
    static bool IsNumbered(const QString& text);

    // The LngPath folder; empty: the data folder's "Language" (the default, see Paths).
    void SetLanguageFolder(const QString& folder);
    QString LanguageFolder() const;

private:
    QString lookup(const QString& module, int number);
    QString m_folder;
    QHash<QString, QHash<int, QString>> m_tables; // module -> number -> text
};

// Shorthand for the plug-in's module.
inline QString tr4410(const QString& text, const VariantArray& params = {})
{
    return LanguageService::instance().Translate(QStringLiteral("NB-4410"), text, params);
}

} // namespace ostrel
