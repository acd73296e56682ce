// The sample run headless against the built-in simulator at a time scale of 100, beside the
// least time its tests can take: the sum of the simulated durations of the tests it started
// (read back from the wire trace of the same run), divided by the time scale. The time scale
// does not shorten the line: the exchanges that open, start, stop and close each test
// ("IREM", "STST", "ATST", "EREM" and their replies) take their bytes' time at 38400 baud, 11
// bits a byte, outside the tests' own time. The second floor adds that wire time; the polls
// ("GRES") fall inside the tests and are not added, except the one reply of each test that
// tells it ended: it can only cross the wire after the end. The third floor adds those.
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

struct WireSeconds {
    double outsideTests = 0; // every frame but the polls
    double endReplies = 0;   // the last poll reply of each test: the one that told it ended
};

// The wire time of a wire trace's frames, at 38400 baud and 11 bits a byte.
WireSeconds wireSeconds(const QString& tracePath)
{
    constexpr double kBitsPerByte = 11;
    constexpr double kBaud = 38400;
    QFile trace(tracePath);
    if (!trace.open(QIODevice::ReadOnly))
        return {};
    qsizetype outside = 0;
    qsizetype endReplies = 0;
    qsizetype lastReply = 0; // of the test in hand
    for (const QString& line : QString::fromUtf8(trace.readAll()).split(QLatin1Char('\n'))) {
        const bool sent = line.contains(QLatin1String(" sent <STX>"));
        if (!sent && !line.contains(QLatin1String(" received <STX>")))
            continue;
        QString frame = line.mid(line.indexOf(QLatin1String("<STX>")));
        const QString command = frame.mid(5, 4);
        // Each control byte is written as its name in angle brackets.
        frame.replace(QRegularExpression(QStringLiteral("<[A-Z0-9a-f]+>")), QStringLiteral("."));
        if (command.compare(QLatin1String("GRES"), Qt::CaseInsensitive) != 0) {
            outside += frame.size();
            if (sent && command == QLatin1String("STST")) {
                endReplies += lastReply;
                lastReply = 0;
            }
        } else if (!sent) {
            lastReply = frame.size();
        }
    }
    endReplies += lastReply;
    return {static_cast<double>(outside) * kBitsPerByte / kBaud, static_cast<double>(endReplies) * kBitsPerByte / kBaud};
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
    double endS = 0;
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
        const WireSeconds wire = wireSeconds(trace);
        wireS += wire.outsideTests;
        endS += wire.endReplies;
    }
    state.counters["run_s"] = runS / static_cast<double>(state.iterations());
    state.counters["floor_s"] = floorS / static_cast<double>(state.iterations());
    state.counters["ratio"] = runS / floorS;
    state.counters["wire_s"] = wireS / static_cast<double>(state.iterations());
    state.counters["ratio_with_wire"] = runS / (floorS + wireS);
    state.counters["end_s"] = endS / static_cast<double>(state.iterations());
    state.counters["ratio_with_line"] = runS / (floorS + wireS + endS);
}
BENCHMARK(BM_HeadlessSample)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

} // namespace bench
