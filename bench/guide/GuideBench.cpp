// CPU time per poll of the test guide's update path against the poll's exchange itself, both
// measured in this run. The update path is what a leak test does with each reply besides the
// exchange: the result takes it and is shown, the details pane shows the pressure and the time
// and charts the pressure, and the event loop paints what changed. It runs at the instrument's
// poll rate (the 38400-baud line gives about 80 polls a second), so timers and the chart's
// redraws weigh per poll as they do in a real run; idle time between polls costs no CPU.
//
//   bench_guide [seconds of the paced run, default 3] [without: chart, result, sphere, labels]
// The second argument leaves a part out, to see what each costs.
#include "../BenchSupport.h"

#include "host/run/RunContext.h"
#include "host/run/XPressureChart.h"
#include "host/run/XProgressSphere.h"
#include "plugin/guide/XTestDetails.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "plugin/tests/leak/CTestLeak.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <ctime>

namespace {

constexpr double kPollsPerSecond = 80.0;
constexpr int kExchanges = 400;

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU per poll of the exchange alone: "GRES" through the driver, the simulator answering.
double exchangeCpuMs()
{
    linkbench::QuietMessages quiet;
    linkbench::LeakSession session(false);
    ostrel::Variant reply;
    for (int i = 0; i < 20; ++i) // the link settles
        session.Poll(reply);
    const double start = cpuSeconds();
    for (int i = 0; i < kExchanges; ++i)
        session.Poll(reply);
    return (cpuSeconds() - start) * 1000.0 / kExchanges;
}

// A leak reply as the instrument sends it after elapsed seconds of holding.
ostrel::VariantArray leakReply(double elapsedS)
{
    const double pressure = 250.0 - elapsedS * 0.5;
    return ostrel::VariantArray::fromTexts({QStringLiteral("300"), QStringLiteral("0"), QString::number(pressure, 'f', 1),
                                            QStringLiteral("0"), QString::number(250.0 - pressure, 'f', 1),
                                            QString::number(static_cast<int>(elapsedS))});
}

struct GuideRun {
    double cpuMsPerPoll = 0;
    int polls = 0;
    int chartPaints = 0;
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

GuideRun guideCpuMs(double seconds, const QString& without)
{
    auto element = std::make_shared<nb4410::CTestLeak>();
    element->Initialize(QStringLiteral("NB-4410"), nb4410::CTestLeak::kTestId, 1);
    auto result = std::make_shared<nb4410::CResultLeak>();
    element->Core()->SetResult(result);
    auto context = std::make_shared<ostrel::RunContext>();
    nb4410::FTestGuide guide;
    guide.InitGuide(element, context, ostrel::Variant(ostrel::VariantArray::fromTexts({QStringLiteral("1. Attach the cuff.")})));
    guide.show();
    guide.SetRunning(true, ostrel::Variant(ostrel::VariantArray{ostrel::Variant(std::int32_t{0})}));
    if (without == QLatin1String("chart"))
        guide.Details()->PressureChart()->SetActive(false);
    if (without == QLatin1String("sphere"))
        guide.ProgressSphere()->Stop();
    QCoreApplication::processEvents();
    PaintCounter chartPaints;
    guide.Details()->PressureChart()->View()->viewport()->installEventFilter(&chartPaints);

    GuideRun run;
    QElapsedTimer clock;
    clock.start();
    const double start = cpuSeconds();
    const qint64 periodNs = static_cast<qint64>(1e9 / kPollsPerSecond);
    while (clock.elapsed() < static_cast<qint64>(seconds * 1000)) {
        const double elapsedS = run.polls / kPollsPerSecond;
        const ostrel::VariantArray reply = leakReply(elapsedS);
        if (without != QLatin1String("result")) {
            result->TakeReply(reply, static_cast<std::int32_t>(elapsedS));
            result->ShowRunning();
            guide.ShowResult(result);
        }
        if (without != QLatin1String("labels"))
            guide.UpdatePerformData(static_cast<std::int32_t>(reply[2].val() + 0.5),
                                    ostrel::Variant(static_cast<std::int32_t>(elapsedS)));
        QCoreApplication::processEvents(); // as the run loop does before each exchange
        ++run.polls;
        const qint64 next = run.polls * periodNs;
        const qint64 now = clock.nsecsElapsed();
        if (next > now)
            QThread::usleep(static_cast<unsigned long>((next - now) / 1000));
    }
    run.cpuMsPerPoll = (cpuSeconds() - start) * 1000.0 / run.polls;
    run.chartPaints = chartPaints.paints;
    guide.SetRunning(false, ostrel::Variant());
    guide.Unload();
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 3.0;
    const double exchange = exchangeCpuMs();
    const QString without = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const GuideRun guide = guideCpuMs(seconds > 0 ? seconds : 3.0, without);
    std::printf("exchange (GRES round trip, driver and simulator): %.3f ms CPU per poll (%d polls)\n", exchange, kExchanges);
    std::printf("guide update path%s%s at %.0f polls/s: %.3f ms CPU per poll (%d polls)\n", without.isEmpty() ? "" : " without ",
                qPrintable(without), kPollsPerSecond, guide.cpuMsPerPoll, guide.polls);
    std::printf("the chart was painted %d times in %d polls\n", guide.chartPaints, guide.polls);
    std::printf("ratio guide / exchange = %.2f; goal 0.15 ms per poll: %s\n", guide.cpuMsPerPoll / exchange,
                guide.cpuMsPerPoll <= 0.15 ? "met" : "not met");
    return 0;
}
