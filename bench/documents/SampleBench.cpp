// The sample run headless against the built-in simulator at a time scale of 100, beside the
// least time its tests can take: the sum of the simulated durations of the tests it started
// (read back from the wire trace of the same run), divided by the time scale. The time scale
// does not shorten the line: the exchanges that open, start, stop and close each test
// ("IREM", "STST", "ATST", "EREM" and their replies) take their bytes' time at 38400 baud, 11
// bits a byte, outside the tests' own time. The second floor adds that wire time; the polls
// ("GRES") fall inside the tests and are not added.
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/RunCommand.h"
#include "sim/TestRun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <chrono>

namespace bench {

namespace {

constexpr int kTimeScale = 100;

// The simulated seconds of every test started in a wire trace ("sent <STX>STST<US>...<ETX>").
double simulatedTestSeconds(const QString& tracePath)
{
    QFile trace(tracePath);
    if (!trace.open(QIODevice::ReadOnly))
        return 0;
    const QString start = QStringLiteral("sent <STX>STST<US>");
    double seconds = 0;
    for (const QString& line : QString::fromUtf8(trace.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype at = line.indexOf(start);
        if (at < 0)
            continue;
        const qsizetype from = at + start.size();
        const QStringList fields = line.mid(from, line.indexOf(QStringLiteral("<ETX>"), from) - from).split(QStringLiteral("<US>"));
        auto created = nb4410sim::TestRun::Create(fields, nb4410sim::MonitorProperties{});
        if (const auto* run = std::get_if<std::unique_ptr<nb4410sim::TestRun>>(&created))
            seconds += (*run)->DurationS();
    }
    return seconds;
}

// The wire time of every frame in a wire trace other than the polls.
double wireSecondsOutsideTests(const QString& tracePath)
{
    constexpr double kBitsPerByte = 11;
    constexpr double kBaud = 38400;
    QFile trace(tracePath);
    if (!trace.open(QIODevice::ReadOnly))
        return 0;
    qsizetype bytes = 0;
    for (const QString& line : QString::fromUtf8(trace.readAll()).split(QLatin1Char('\n'))) {
        if (!line.contains(QLatin1String(" sent <STX>")) && !line.contains(QLatin1String(" received <STX>")))
            continue;
        QString frame = line.mid(line.indexOf(QLatin1String("<STX>")));
        if (frame.mid(5, 4).compare(QLatin1String("GRES"), Qt::CaseInsensitive) == 0)
            continue;
        // Each control byte is written as its name in angle brackets.
        frame.replace(QRegularExpression(QStringLiteral("<[A-Z0-9a-f]+>")), QStringLiteral("."));
        bytes += frame.size();
    }
    return static_cast<double>(bytes) * kBitsPerByte / kBaud;
}

void BM_HeadlessSample(benchmark::State& state)
{
    auto host = std::make_shared<ostrel::PlugInHost>();
    host->Load();
    QTemporaryDir dir;
    const QString trace = dir.filePath(QStringLiteral("line.log"));
    double runS = 0;
    double floorS = 0;
    double wireS = 0;
    for (auto _ : state) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        ostrel::RunCommand command(outStream, errStream);
        command.UsePlugIn(host);
        QFile::remove(trace);
        const auto t0 = std::chrono::steady_clock::now();
        const int exitCode = command.Run(QStringList{QString::fromUtf8(OSTREL_SAMPLE), QStringLiteral("--operator"),
                                                     QStringLiteral("auto"), QStringLiteral("--sim-speed"),
                                                     QString::number(kTimeScale), QStringLiteral("--trace"), trace,
                                                     QStringLiteral("--db"),
                                                     QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("history.sqlite"))});
        runS += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (exitCode != 0) {
            state.SkipWithError(("the sample did not pass: " + err).toStdString().c_str());
            return;
        }
        floorS += simulatedTestSeconds(trace) / kTimeScale;
        wireS += wireSecondsOutsideTests(trace);
    }
    state.counters["run_s"] = runS / static_cast<double>(state.iterations());
    state.counters["floor_s"] = floorS / static_cast<double>(state.iterations());
    state.counters["ratio"] = runS / floorS;
    state.counters["wire_s"] = wireS / static_cast<double>(state.iterations());
    state.counters["ratio_with_wire"] = runS / (floorS + wireS);
}
BENCHMARK(BM_HeadlessSample)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

} // namespace bench
