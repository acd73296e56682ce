#pragma once
// The options of "ostrel run FILE ...".
#include <QString>
#include <QStringList>
#include <optional>

namespace ostrel {

struct RunOptions {
    QString file;
    QString operatorName;   // "auto", or empty: auto without a display, the user with one
    QString reportPdf;
    QString reportHtml;
    QString json;
    QString csv;
    QString save;
    std::optional<QString> dutSerial;
    std::optional<QString> technician;
    QString database;       // --db: the results database ("" as configured)
    QString simSpeed;       // empty: the port's own time scale
    bool failuresOnly = false;

    // args: what follows "run". Fails with a ComError whose text says what is wrong.
    static RunOptions Parse(const QStringList& args);
    static QString Usage();
};

} // namespace ostrel
