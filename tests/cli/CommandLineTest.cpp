// The shared command-line parser: subcommands, options in any order, --help and --version per
// command, and every kind of bad line refused with exit code 2 and the flag named.
#include "app/common/CommandLine.h"
#include "app/common/ConsoleMessageSink.h"
#include "app/common/ExitCode.h"

#include <QTextStream>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

struct Parsed {
    bool proceed = false;
    int exitCode = -1;
    QString command;
    QStringList arguments;
    QString device;
    bool set = false;
    QString out;
    QString err;
};

// A program shaped like nb4410 and ostrel: a window-like default command, a global option,
// a command with an option and a fixed argument count, one with any number.
Parsed parse(const QStringList& arguments, bool withDefault = true)
{
    CommandLine cli(QStringLiteral("tool"), QStringLiteral("A tool."));
    cli.AddGlobalOption({QStringLiteral("device"), QStringLiteral("The device."), QStringLiteral("PATH")});
    if (withDefault)
        cli.AddCommand({.name = QString(), .summary = QStringLiteral("Opens."), .arguments = QStringLiteral("[FILE]"), .maxArguments = 1});
    cli.AddCommand({.name = QStringLiteral("identify"), .summary = QStringLiteral("Identifies.")});
    cli.AddCommand({.name = QStringLiteral("operator"),
                    .summary = QStringLiteral("The record."),
                    .options = {QCommandLineOption(QStringLiteral("set"), QStringLiteral("Writes."))},
                    .arguments = QStringLiteral("[A B C]"),
                    .maxArguments = 3});
    cli.AddCommand({.name = QStringLiteral("run"), .summary = QStringLiteral("Runs."), .arguments = QStringLiteral("TEST [VALUES...]"),
                    .minArguments = 1, .maxArguments = -1});
    Parsed parsed;
    QTextStream out(&parsed.out);
    QTextStream err(&parsed.err);
    parsed.proceed = cli.Parse(arguments, out, err);
    parsed.exitCode = cli.ExitCode();
    parsed.command = cli.Command();
    parsed.arguments = cli.Arguments();
    parsed.device = cli.Value(QStringLiteral("device"));
    parsed.set = cli.IsSet(QStringLiteral("set"));
    return parsed;
}

TEST(CommandLine, OptionsAreTakenInAnyOrder)
{
    for (const QStringList& line : {QStringList{"--device", "X", "identify"}, QStringList{"identify", "--device", "X"},
                                    QStringList{"identify", "--device=X"}}) {
        const Parsed parsed = parse(line);
        EXPECT_TRUE(parsed.proceed) << parsed.err.toStdString();
        EXPECT_EQ(parsed.command, "identify");
        EXPECT_EQ(parsed.device, "X");
        EXPECT_TRUE(parsed.arguments.isEmpty());
    }
    const Parsed run = parse({"run", "leak", "--device", "X", "250", "1"});
    EXPECT_EQ(run.command, "run");
    EXPECT_EQ(run.arguments, (QStringList{"leak", "250", "1"}));
    const Parsed record = parse({"operator", "a", "--set", "b", "c"});
    EXPECT_TRUE(record.set);
    EXPECT_EQ(record.arguments, (QStringList{"a", "b", "c"}));
    // A value that looks like a command is the option's value, not the command.
    const Parsed valueLikeCommand = parse({"--device", "run", "identify"});
    EXPECT_EQ(valueLikeCommand.command, "identify");
    EXPECT_EQ(valueLikeCommand.device, "run");
}

TEST(CommandLine, TheDefaultCommandTakesWhatIsNoCommand)
{
    const Parsed file = parse({"sequence.xml"});
    EXPECT_TRUE(file.proceed);
    EXPECT_EQ(file.command, "");
    EXPECT_EQ(file.arguments, QStringList{"sequence.xml"});
    EXPECT_TRUE(parse({}).proceed);
}

struct Refusal {
    QStringList line;
    bool withDefault;
    const char* named; // what the message must name
};

class CommandLineRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(CommandLineRefusal, ExitsWithTwoAndNamesTheProblem)
{
    const Parsed parsed = parse(GetParam().line, GetParam().withDefault);
    EXPECT_FALSE(parsed.proceed);
    EXPECT_EQ(parsed.exitCode, exitcode::kUsage);
    EXPECT_TRUE(parsed.out.isEmpty());
    EXPECT_TRUE(parsed.err.startsWith(QStringLiteral("tool"))) << parsed.err.toStdString();
    EXPECT_TRUE(parsed.err.contains(QStringLiteral(": error: "))) << parsed.err.toStdString();
    EXPECT_TRUE(parsed.err.contains(QString::fromLatin1(GetParam().named))) << parsed.err.toStdString();
    EXPECT_TRUE(parsed.err.contains(QStringLiteral("--help"))) << parsed.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    BadLines, CommandLineRefusal,
    ::testing::Values(Refusal{{"--bogus"}, true, "bogus"}, Refusal{{"identify", "--bogus"}, true, "bogus"},
                      Refusal{{"identify", "extra"}, true, "\"extra\""}, Refusal{{"a.xml", "b.xml"}, true, "\"b.xml\""},
                      Refusal{{"run"}, true, "TEST [VALUES...] is missing"}, Refusal{{"identify", "--device"}, true, "device"},
                      Refusal{{"identify", "--set"}, true, "set"}, Refusal{{"bogus"}, false, "unknown command \"bogus\""},
                      Refusal{{}, false, "no command given"}));

TEST(CommandLine, HelpAndVersionWorkEverywhereAndEndWithZero)
{
    for (const QStringList& line : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"--help-all"}, QStringList{"run", "--help"},
                                    QStringList{"--help", "run"}, QStringList{"identify", "-h"}}) {
        const Parsed parsed = parse(line);
        EXPECT_FALSE(parsed.proceed);
        EXPECT_EQ(parsed.exitCode, exitcode::kPassed) << line.join(' ').toStdString();
        EXPECT_TRUE(parsed.out.contains(QStringLiteral("Usage: tool"))) << parsed.out.toStdString();
        EXPECT_TRUE(parsed.err.isEmpty());
    }
    const Parsed main = parse({"--help"});
    EXPECT_TRUE(main.out.contains(QStringLiteral("Commands:")));
    EXPECT_TRUE(main.out.contains(QStringLiteral("identify")));
    const Parsed run = parse({"run", "--help"});
    EXPECT_TRUE(run.out.contains(QStringLiteral("Usage: tool run [options] TEST [VALUES...]"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("--device <PATH>")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("--set")));

    const Parsed version = parse({"identify", "--version"});
    EXPECT_EQ(version.exitCode, exitcode::kPassed);
    EXPECT_EQ(version.out, QStringLiteral("tool 2.0.0\n"));
}

TEST(ConsoleMessageSink, PrintsOneLineWithTheProgramAndARealSeverity)
{
    const ConsoleMessageSink sink(QStringLiteral("nb4410"));
    EXPECT_EQ(sink.Line(ConsoleMessageSink::Severity(MessageIcon::Information),
                        QStringLiteral("Error received from MTI: 6002\r\nTest not allowed\r\n"), QStringLiteral("NB-4410 Communication Error")),
              QStringLiteral("nb4410: error: NB-4410 Communication Error: Error received from MTI: 6002; Test not allowed"));
    EXPECT_STREQ(ConsoleMessageSink::Severity(MessageIcon::Exclamation), "warning");
    EXPECT_STREQ(ConsoleMessageSink::Severity(MessageIcon::Critical), "error");
}

} // namespace
