#pragma once
// A property bag of named texts, as a settings text carries them. Contents layout (bytes):
//
//   "OPB1\n" then, per property, "<n>:<name bytes><m>:<value bytes>\n"
//
// where n and m are the decimal byte counts of the UTF-8 name and value. A value equal to the
// default given when writing is left out; reading an absent name gives the default given then.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace nb4410 {

class CPropertyBag {
public:
    void WriteProperty(const QString& name, const QString& value, const QString& defaultValue = QString());
    QString ReadProperty(const QString& name, const QString& defaultValue = QString()) const;

    QByteArray Contents() const;
    // False (and an empty bag) when the bytes are not a bag's contents.
    bool SetContents(const QByteArray& contents);

private:
    std::vector<std::pair<QString, QString>> m_values;
};

} // namespace nb4410
