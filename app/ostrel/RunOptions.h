#pragma once
// The options of "ostrel run FILE ...": declared once (Options) for the command line, read
// back from the parsed command line (From) and checked before anything runs.
//
// A new option: a field here, one QCommandLineOption in Options() and one line in From().
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace ostrel {

class CommandLine;
struct CommandSpec;

struct RunOptions {
    QString file;
    static constexpr char kAutomaticOperator[] = "auto";
    static constexpr char kPersonOperator[] = "person";
    QString operatorName = QString::fromLatin1(kAutomaticOperator);
    QString reportPdf;
    QString reportHtml;
    QString json;
    QString csv;
    QString save;
    std::optional<QString> dutSerial;
    std::optional<QString> technician;
    QString database;       // --db: the results database ("" as configured)
    QString simSpeed;       // empty: the port's own time scale
    QString trace;          // file the wire trace goes to; empty: none
    QString device;         // empty: the port registry's device for the instrument
    bool failuresOnly = false;

    static QList<QCommandLineOption> Options();
    static CommandSpec Command();
    // From the parsed "run" command. Fails with a ComError whose text names the option.
    static RunOptions From(const CommandLine& commandLine);

    // Every output file (--report, --html, --json, --csv, --save) can be written: its folder
    // exists and takes new files, and the path is no folder. Fails with a ComError naming the
    // option, before the run starts rather than after it.
    void CheckOutputs() const;
};

} // namespace ostrel
