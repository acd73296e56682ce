#pragma once
// The command line of every program of the product, on QCommandLineParser: subcommands, each
// with its options and positional arguments; --help and --version everywhere and per
// subcommand; options in any order, before or after the subcommand; unknown options, missing
// values and extra arguments refused with exit code 2 and a message that names the flag.
//
//   CommandLine cli(QStringLiteral("ostrel"), QStringLiteral("Runs test sequences."));
//   cli.AddGlobalOption({QStringLiteral("trace"), QStringLiteral("..."), QStringLiteral("FILE")});
//   cli.AddCommand({.name = QStringLiteral("run"), .summary = QStringLiteral("Runs a sequence."),
//                   .options = RunOptions::Options(), .arguments = QStringLiteral("FILE"),
//                   .minArguments = 1, .maxArguments = 1});
//   if (!cli.Parse(arguments, out, err))
//       return cli.ExitCode();
//   if (cli.Command() == QLatin1String("run")) ...
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>
#include <memory>

class QTextStream;

namespace ostrel {

struct CommandSpec {
    QString name;        // empty: the program without a subcommand
    QString summary;     // one line, shown in the program's help
    QString description; // more lines for the command's own help (optional)
    QList<QCommandLineOption> options;
    QString arguments;   // the positional arguments as the help shows them: "FILE", "[FILE]"
    int minArguments = 0;
    int maxArguments = 0; // -1: any number
};

class CommandLine {
public:
    CommandLine(QString program, QString description);

    // Accepted by every command, anywhere on the line.
    void AddGlobalOption(const QCommandLineOption& option);
    void AddCommand(const CommandSpec& command);

    // arguments: without the program name. false: the program ends now with ExitCode(): 0
    // after --help or --version (printed to out), 2 after a usage error (printed to err).
    bool Parse(const QStringList& arguments, QTextStream& out, QTextStream& err);
    int ExitCode() const { return m_exitCode; }

    QString Command() const { return m_command; }
    // An option the chosen command does not have is not set and has no value.
    bool IsSet(const QString& option) const;
    QString Value(const QString& option) const;
    QStringList Values(const QString& option) const;
    QStringList Arguments() const { return m_arguments; }

    QString HelpText(const QString& command) const;
    QString VersionText() const;
    // A usage error found after parsing (a value out of range): printed like the parser's own.
    int Fail(QTextStream& err, const QString& message) const;
    QString Program() const { return m_program; }

private:
    const CommandSpec* find(const QString& name) const;
    bool defined(const QString& option) const;
    QList<QCommandLineOption> optionsOf(const CommandSpec& command) const;
    bool takesValue(const QString& flag) const;
    qsizetype commandPosition(const QStringList& arguments) const;
    QString prefix() const;

    QString m_program;
    QString m_description;
    QList<QCommandLineOption> m_global;
    QList<CommandSpec> m_commands;
    std::unique_ptr<QCommandLineParser> m_parser;
    QStringList m_known; // the names of the chosen command's options
    QString m_command;
    QStringList m_arguments;
    int m_exitCode = 0;
};

} // namespace ostrel
