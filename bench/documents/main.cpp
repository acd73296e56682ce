// The benchmarks of large sequences run inside a Qt application (the report is laid out by Qt,
// the plug-in is created through the class registry). After the usual output a table gives,
// for each path, the median at each size, the growth exponent from 1,000 to 5,000 elements
// (1 is linear) and the ratio to the floor (pugixml reading and writing the same bytes).
#include "app/ostrel/AppEnvironment.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

class GrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // The median of repetitions, or the one run when there are none.
            const bool isMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            // Only the growth benchmarks (one argument: the size) go into the table.
            if (run.error_occurred || !(isMedian || run.run_type == Run::RT_Iteration) || run.run_name.args.empty())
                continue;
            Median& median = m_medians[run.run_name.function_name][std::stoi(run.run_name.args)];
            median.ms = run.GetAdjustedRealTime();
            if (const auto peak = run.counters.find("peak_MiB"); peak != run.counters.end())
                median.peakMiB = peak->second.value;
        }
    }

    void PrintTable() const
    {
        const auto floor = m_medians.find("BM_FloorParseWrite");
        std::printf("\n%-24s %10s %10s %10s %10s %9s %9s %9s\n", "median ms", "10", "100", "1000", "5000", "exponent",
                    "x floor", "peak MiB");
        for (const auto& [name, bySize] : m_medians) {
            std::printf("%-24s", name.c_str());
            for (int n : {10, 100, 1000, 5000}) {
                const auto at = bySize.find(n);
                std::printf(" %10.2f", at == bySize.end() ? NAN : at->second.ms);
            }
            const double exponent = growth(bySize, 1000, 5000);
            double ratio = NAN;
            if (floor != m_medians.end() && bySize.count(5000) && floor->second.count(5000))
                ratio = bySize.at(5000).ms / floor->second.at(5000).ms;
            const double peak = bySize.count(5000) ? bySize.at(5000).peakMiB : 0;
            std::printf(" %9.2f %9.1f", exponent, ratio);
            if (peak > 0)
                std::printf(" %9.0f", peak);
            std::printf("\n");
        }
    }

private:
    struct Median {
        double ms = NAN;
        double peakMiB = 0;
    };
    static double growth(const std::map<int, Median>& bySize, int from, int to)
    {
        if (!bySize.count(from) || !bySize.count(to))
            return NAN;
        return std::log(bySize.at(to).ms / bySize.at(from).ms) / std::log(double(to) / from);
    }
    std::map<std::string, std::map<int, Median>> m_medians;
};

} // namespace

int main(int argc, char** argv)
{
    ostrel::AppEnvironment::PrepareMemory();
    ostrel::AppEnvironment::PreparePlatform(true);
    QApplication app(argc, argv);
    ostrel::AppEnvironment::Prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
