// The sample run headless against the built-in simulator at a time scale of 100, beside the
// least time its tests can take: the sum of the simulated durations of the tests it started
// (read back from the wire trace of the same run), divided by the time scale.
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/RunCommand.h"
#include "sim/TestRun.h"

#include <QFile>
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

void BM_HeadlessSample(benchmark::State& state)
{
    auto host = std::make_shared<ostrel::PlugInHost>();
    host->Load();
    QTemporaryDir dir;
    const QString trace = dir.filePath(QStringLiteral("line.log"));
    double runS = 0;
    double floorS = 0;
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
    }
    state.counters["run_s"] = runS / static_cast<double>(state.iterations());
    state.counters["floor_s"] = floorS / static_cast<double>(state.iterations());
    state.counters["ratio"] = runS / floorS;
}
BENCHMARK(BM_HeadlessSample)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

} // namespace bench
