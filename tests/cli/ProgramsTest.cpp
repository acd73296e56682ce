// The programs as a user meets them on a terminal: --help and --version, the refusal of bad
// lines with exit code 2, the exit codes of success, input and instrument errors, the sample
// run headless against the built-in simulator with nothing on standard error that was not
// asked for, SIGTERM in the middle of a run, and a reader of the output that goes away.
#include "app/common/ExitCode.h"
#include "host/core/AppUtil.h"
#include "host/core/Paths.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

constexpr int kProgramTimeoutMs = 240000;

struct Outcome {
    int exitCode = -1;
    bool crashed = true;
    QString out;
    QString err;
};

void prepare(QProcess& process)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The programs' own leaks at exit are the in-process tests' business, not these.
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
}

Outcome finish(QProcess& process)
{
    Outcome outcome;
    EXPECT_TRUE(process.waitForFinished(kProgramTimeoutMs)) << "the program did not end";
    outcome.crashed = process.exitStatus() != QProcess::NormalExit;
    outcome.exitCode = process.exitCode();
    outcome.out += QString::fromLocal8Bit(process.readAllStandardOutput());
    outcome.err += QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

Outcome run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    prepare(process);
    process.start(AppPath() + program, arguments);
    return finish(process);
}

QString sample()
{
    return Paths::DataFile(QStringLiteral("samples/nibp-check.xml"));
}

class EveryProgram : public ::testing::TestWithParam<const char*> {
protected:
    QString program() const { return QString::fromLatin1(GetParam()); }
};

TEST_P(EveryProgram, HelpAndVersionEndWithZero)
{
    const Outcome help = run(program(), {QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, exitcode::kPassed) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("Usage: ") + program())) << help.out.toStdString();
    const Outcome version = run(program(), {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, exitcode::kPassed);
    EXPECT_EQ(version.out.trimmed(), program() + QStringLiteral(" 2.0.0"));
}

TEST_P(EveryProgram, AnUnknownOptionIsRefusedWithTwo)
{
    const Outcome bogus = run(program(), {QStringLiteral("--bogus")});
    EXPECT_FALSE(bogus.crashed);
    EXPECT_EQ(bogus.exitCode, exitcode::kUsage);
    EXPECT_TRUE(bogus.err.startsWith(program() + QStringLiteral(": error: "))) << bogus.err.toStdString();
    EXPECT_TRUE(bogus.err.contains(QStringLiteral("bogus"))) << bogus.err.toStdString();
    EXPECT_TRUE(bogus.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Programs, EveryProgram, ::testing::Values("ostrel", "nb4410", "nb4410-sim", "ostrel-regsvr"));

struct BadLine {
    const char* program;
    QStringList arguments;
    const char* named;
};

class BadLines : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadLines, AreRefusedWithTwoBeforeAnythingStarts)
{
    const Outcome outcome = run(QString::fromLatin1(GetParam().program), GetParam().arguments);
    EXPECT_FALSE(outcome.crashed);
    EXPECT_EQ(outcome.exitCode, exitcode::kUsage) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(QString::fromLatin1(GetParam().named))) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.out.contains(QStringLiteral("Running"))) << outcome.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Programs, BadLines,
    ::testing::Values(BadLine{"ostrel", {"bogus"}, "neither a command"}, BadLine{"ostrel", {"info", "extra"}, "\"extra\""},
                      BadLine{"ostrel", {"run"}, "FILE is missing"}, BadLine{"ostrel", {"run", "a.xml", "b.xml"}, "\"b.xml\""},
                      BadLine{"ostrel", {"run", "a.xml", "--sim-speed", "fast"}, "--sim-speed"},
                      BadLine{"ostrel", {"run", "a.xml", "--operator", "jo"}, "--operator"},
                      BadLine{"ostrel", {"run", "a.xml", "--json"}, "json"},
                      BadLine{"nb4410", {"identify", "extra"}, "\"extra\""}, BadLine{"nb4410", {}, "no command given"},
                      BadLine{"nb4410", {"operator", "a", "b", "c"}, "--set"}, BadLine{"nb4410-sim", {"extra"}, "\"extra\""},
                      BadLine{"nb4410-sim", {"--time-scale", "-3"}, "error"}, BadLine{"ostrel-regsvr", {"lib.so"}, "--file"}));

TEST(Programs, OutputPathsAreCheckedBeforeTheRun)
{
    QTemporaryDir dir;
    for (const char* flag : {"--json", "--report", "--html", "--csv", "--save"}) {
        const Outcome outcome = run(QStringLiteral("ostrel"), {QStringLiteral("run"), sample(), QString::fromLatin1(flag),
                                                               dir.filePath(QStringLiteral("no/such/folder/out"))});
        EXPECT_EQ(outcome.exitCode, exitcode::kUsage) << flag;
        EXPECT_TRUE(outcome.err.contains(QString::fromLatin1(flag) + QStringLiteral(": the folder"))) << outcome.err.toStdString();
        EXPECT_FALSE(outcome.out.contains(QStringLiteral("Running"))) << flag;
    }
    const Outcome folder = run(QStringLiteral("ostrel"), {QStringLiteral("run"), sample(), QStringLiteral("--json"), dir.path()});
    EXPECT_EQ(folder.exitCode, exitcode::kUsage);
    EXPECT_TRUE(folder.err.contains(QStringLiteral("is a folder"))) << folder.err.toStdString();
}

TEST(Programs, AMissingSequenceIsAnInputError)
{
    const Outcome outcome = run(QStringLiteral("ostrel"), {QStringLiteral("run"), QStringLiteral("/no/such/sequence.xml")});
    EXPECT_EQ(outcome.exitCode, exitcode::kUsage);
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("sequence.xml"))) << outcome.err.toStdString();
}

TEST(Programs, TheInstrumentToolTakesItsOptionAfterTheCommand)
{
    const Outcome identified = run(QStringLiteral("nb4410"), {QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("simulator")});
    EXPECT_EQ(identified.exitCode, exitcode::kPassed) << identified.err.toStdString();
    EXPECT_TRUE(identified.out.contains(QStringLiteral("Serial number:"))) << identified.out.toStdString();

    // No instrument on that device: a link error, told as an error.
    const Outcome missing = run(QStringLiteral("nb4410"), {QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("/dev/null/tty")});
    EXPECT_EQ(missing.exitCode, exitcode::kInstrument) << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains(QStringLiteral("nb4410: error: "))) << missing.err.toStdString();
    EXPECT_FALSE(missing.err.contains(QStringLiteral("information:"))) << missing.err.toStdString();
}

TEST(Programs, TheSampleRunsHeadlessAndPrintsOnlyWhatWasAskedFor)
{
    QTemporaryDir dir;
    const Outcome outcome = run(QStringLiteral("ostrel"),
                                {QStringLiteral("run"), sample(), QStringLiteral("--device"), QStringLiteral("simulator"), QStringLiteral("--sim-speed"),
                                 QStringLiteral("120"), QStringLiteral("--json"), dir.filePath(QStringLiteral("out.json"))});
    EXPECT_EQ(outcome.exitCode, exitcode::kPassed) << outcome.out.toStdString() << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("Overall: PASSED"))) << outcome.out.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("out.json"))));
    EXPECT_FALSE(outcome.err.contains(QStringLiteral("This plugin does not support"))) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains(QStringLiteral("qt.qpa"))) << outcome.err.toStdString();
}

TEST(Programs, SigtermDuringARunStopsTheTestAndKeepsWhatFinished)
{
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("result.xml"));
    QProcess process;
    prepare(process);
    process.start(AppPath() + QStringLiteral("ostrel"), {QStringLiteral("run"), sample(), QStringLiteral("--device"), QStringLiteral("simulator"),
                                                         QStringLiteral("--sim-speed"), QStringLiteral("4"), QStringLiteral("--save"), saved});
    // The first element has finished (and was saved) when its line appears.
    QString out;
    while (!out.contains(QStringLiteral("[1/")) && process.state() != QProcess::NotRunning && process.waitForReadyRead(kProgramTimeoutMs))
        out += QString::fromLocal8Bit(process.readAllStandardOutput());
    ASSERT_TRUE(out.contains(QStringLiteral("[1/"))) << out.toStdString();
    process.terminate();
    Outcome outcome = finish(process);
    outcome.out.prepend(out);
    EXPECT_FALSE(outcome.crashed) << outcome.err.toStdString();
    EXPECT_NE(outcome.exitCode, exitcode::kPassed) << outcome.out.toStdString() << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("SIGTERM: stopping the instrument's test"))) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("the run was stopped by SIGTERM"))) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("Overall:"))) << outcome.out.toStdString();
    // The first element is not run again and not all elements ran.
    EXPECT_FALSE(outcome.out.contains(QStringLiteral("[6/6]"))) << outcome.out.toStdString();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Blood pressure, preset"));
}

// "ostrel run ... | head -1": the reader goes away after the first line. The run goes on to its
// end and writes its files, instead of being ended by SIGPIPE, which could come between an
// instrument's start and its stop.
TEST(Programs, AReaderThatGoesAwayDoesNotEndTheRun)
{
    QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("out.json"));
    QProcess process;
    prepare(process);
    // The shell's pipe, as a user types it; the exit status is ostrel's.
    process.start(QStringLiteral("bash"),
                  {QStringLiteral("-c"), QStringLiteral("\"$0\" \"$@\" | head -1; exit ${PIPESTATUS[0]}"), AppPath() + QStringLiteral("ostrel"),
                   QStringLiteral("run"), sample(), QStringLiteral("--device"), QStringLiteral("simulator"), QStringLiteral("--sim-speed"),
                   QStringLiteral("200"), QStringLiteral("--json"), json, QStringLiteral("--db"),
                   QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("history.sqlite"))});
    const Outcome outcome = finish(process);
    EXPECT_EQ(outcome.exitCode, exitcode::kPassed) << outcome.err.toStdString(); // 141: ended by SIGPIPE
    EXPECT_EQ(outcome.out.trimmed().count(QLatin1Char('\n')), 0) << outcome.out.toStdString();
    EXPECT_TRUE(QFile::exists(json));
}

} // namespace
