#pragma once
// Targets printed beside their figures. A benchmark file names each promise once, next to
// the benchmarks it concerns: an absolute one (LV_TARGET_MS: at most so many milliseconds)
// or a ratio against an anchor measured in the same run (LV_TARGET_RATIO). LV_BENCH_MAIN
// runs the benchmarks as usual and then prints every promise with the figure this run gave,
// so a reader never has to look in the source for what a number should be.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lv::bench {

// Which figure of a benchmark a promise reads: its real time, its CPU time (the process's,
// or the benchmark thread's), or the processor time of the outside command it ran
// (the child_cpu_ms counter of RunShell).
enum class Figure { Wall, Cpu, ChildCpu };

struct Target {
    std::string ours;  // function name and arguments as printed, without /real_time and the like
    Figure oursFigure;
    std::string anchor;  // empty for an absolute target
    Figure anchorFigure;
    double limit;  // milliseconds, or the largest ratio ours / anchor
    std::string anchorText;  // what the anchor is, for the printed line
    std::string counter;     // for LV_TARGET_COUNTER: the counter that must stay at most `limit`
};

inline std::vector<Target>& Targets()
{
    static std::vector<Target> targets;
    return targets;
}

inline bool AddTarget(Target target)
{
    Targets().push_back(std::move(target));
    return true;
}

#define LV_BENCH_CONCAT2(a, b) a##b
#define LV_BENCH_CONCAT(a, b) LV_BENCH_CONCAT2(a, b)
// LV_TARGET_MS("BM_Open/1", Wall, 150): the benchmark takes at most 150 ms.
#define LV_TARGET_MS(ours, figure, ms)                                                                     \
    static const bool LV_BENCH_CONCAT(lvTarget, __LINE__) =                                                \
        ::lv::bench::AddTarget({ours, ::lv::bench::Figure::figure, {}, ::lv::bench::Figure::figure, ms, {}, {}})
// LV_TARGET_RATIO("BM_Ours", Wall, "BM_Theirs", Wall, 0.5, "tiffcp -c lzw"): ours ≤ 0.5 × theirs.
#define LV_TARGET_RATIO(ours, oursFigure, anchor, anchorFigure, ratio, text)                                \
    static const bool LV_BENCH_CONCAT(lvTarget, __LINE__) = ::lv::bench::AddTarget(                        \
        {ours, ::lv::bench::Figure::oursFigure, anchor, ::lv::bench::Figure::anchorFigure, ratio, text, {}})

// LV_TARGET_COUNTER("BM_FloodFillRatio", "ratio", 1.0): a counter the case computes itself
// (a ratio against its anchor, a longest stall) stays at most 1.0.
#define LV_TARGET_COUNTER(ours, counterName, most)                                                         \
    static const bool LV_BENCH_CONCAT(lvTarget, __LINE__) = ::lv::bench::AddTarget(                        \
        {ours, ::lv::bench::Figure::Wall, {}, ::lv::bench::Figure::Wall, most, {}, counterName})

// The console report, then the targets with this run's figures.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the median stands for the case.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median) || run.iterations == 0)
                continue;
            const std::string name = run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            if (!median && medians_.count(name) != 0)
                continue;
            if (median)
                medians_.insert(name);
            const double perRun = 1000.0 / double(run.iterations);
            Figures& f = figures_[name];
            f.wall = run.real_accumulated_time * perRun;
            f.cpu = run.cpu_accumulated_time * perRun;
            const auto child = run.counters.find("child_cpu_ms");
            f.childCpu = child == run.counters.end() ? -1 : double(child->second);
            for (const auto& [counter, value] : run.counters)
                f.counters[counter] = double(value);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (Targets().empty())
            return;
        std::printf("\nTargets, with this run's figures:\n");
        for (const Target& t : Targets()) {
            if (!t.counter.empty()) {
                const auto found = figures_.find(t.ours);
                if (found == figures_.end() || found->second.counters.count(t.counter) == 0)
                    std::printf("  %-48s %-6s target <= %g: not measured\n", t.ours.c_str(), t.counter.c_str(), t.limit);
                else {
                    const double v = found->second.counters.at(t.counter);
                    std::printf("  %-48s %-6s %9.2f  target <= %g: %s\n", t.ours.c_str(), t.counter.c_str(), v, t.limit,
                                v <= t.limit ? "holds" : "MISSED");
                }
                continue;
            }
            const double ours = figure(t.ours, t.oursFigure);
            if (t.anchor.empty()) {
                if (ours < 0)
                    std::printf("  %-48s %-6s target <= %.0f ms: not measured\n", t.ours.c_str(), label(t.oursFigure), t.limit);
                else
                    std::printf("  %-48s %-6s %9.1f ms  target <= %.0f ms: %s\n", t.ours.c_str(), label(t.oursFigure), ours,
                                t.limit, ours <= t.limit ? "holds" : "MISSED");
                continue;
            }
            const double anchor = figure(t.anchor, t.anchorFigure);
            if (ours < 0 || anchor <= 0) {
                std::printf("  %-48s %-6s target <= %.2f x %s: not measured\n", t.ours.c_str(), label(t.oursFigure), t.limit,
                            t.anchorText.c_str());
                continue;
            }
            const double ratio = ours / anchor;
            std::printf("  %-48s %-6s %9.1f ms = %.2f x %s (%.1f ms)  target <= %.2f x: %s\n", t.ours.c_str(),
                        label(t.oursFigure), ours, ratio, t.anchorText.c_str(), anchor, t.limit,
                        ratio <= t.limit ? "holds" : "MISSED");
        }
        std::fflush(stdout);
    }

private:
    struct Figures {
        double wall = -1, cpu = -1, childCpu = -1;
        std::map<std::string, double> counters;
    };

    static const char* label(Figure f) { return f == Figure::Wall ? "wall" : f == Figure::Cpu ? "cpu" : "child"; }

    double figure(const std::string& name, Figure which) const
    {
        const auto found = figures_.find(name);
        if (found == figures_.end())
            return -1;
        return which == Figure::Wall ? found->second.wall : which == Figure::Cpu ? found->second.cpu : found->second.childCpu;
    }

    std::map<std::string, Figures> figures_;
    std::set<std::string> medians_;
};

// For mains that set up more first: runs what the command line chose, targets included.
inline void RunBenchmarksWithTargets()
{
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
}

inline int RunBenchmarksWithTargets(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RunBenchmarksWithTargets();
    benchmark::Shutdown();
    return 0;
}

}  // namespace lv::bench

#define LV_BENCH_MAIN()                                                 \
    int main(int argc, char** argv)                                     \
    {                                                                   \
        return ::lv::bench::RunBenchmarksWithTargets(argc, argv);       \
    }
