// The benchmarks run inside a Qt application: the driver and the serial link need its event loop.
// After the usual output, the driver's round trip is given as a ratio to the raw exchange of
// the same sizes measured in the same run.
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || run.run_type == Run::RT_Iteration)
                m_us[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void PrintRatio() const
    {
        const auto driver = m_us.find("BM_DriverGresRoundTrip");
        const auto echo = m_us.find("BM_RawPtyEcho");
        if (driver != m_us.end() && echo != m_us.end())
            std::printf("\ndriver round trip %.1f us / raw exchange of the same sizes %.1f us = %.2f\n", driver->second,
                        echo->second, driver->second / echo->second);
    }

private:
    std::map<std::string, double> m_us;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio();
    benchmark::Shutdown();
    return 0;
}
