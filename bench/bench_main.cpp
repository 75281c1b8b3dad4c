// quillfen-bench — what one nearest-point query costs, by method, per scene set.
//
// Each benchmark iteration answers one query, cycling through the scene set, so the
// reported time is the mean cost of a query over the set. After the table the ratios
// the project tracks are printed from the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "draw/frame.h"
#include "scan_table.h"
#include "scenes.h"
#include "search/exact.h"
#include "search/search.h"

namespace {

struct Fixture {
    BernsteinTable table;
    ColumnTable columns;
    SearchState search;
    std::vector<Scene> random = randomScenes();
    std::vector<Scene> adversarial = adversarialScenes();
    Fixture() {
        buildBernsteinTable(table, buildBinomials());
        buildColumnTable(columns, table);
    }
};
Fixture& fixture() {
    static const std::unique_ptr<Fixture> instance = std::make_unique<Fixture>();
    return *instance;
}

const std::vector<Scene>& sceneSet(const benchmark::State& state) {
    return state.range(0) == 0 ? fixture().random : fixture().adversarial;
}

// Cycles through the set; returns the next scene with the requested bound shape.
struct SceneCycle {
    const std::vector<Scene>& scenes;
    size_t next = 0;
    const Scene& operator()() {
        const Scene& scene = scenes[next];
        next = next + 1 == scenes.size() ? 0 : next + 1;
        return scene;
    }
};

std::vector<Scene> withShape(const std::vector<Scene>& scenes, bool box) {
    std::vector<Scene> shaped = scenes;
    for (Scene& scene : shaped) scene.boxBounds = box;
    return shaped;
}

void runSearch(benchmark::State& state, bool box) {
    Fixture& f = fixture();
    const std::vector<Scene> scenes = withShape(sceneSet(state), box);
    SceneCycle cycle{scenes};
    for (auto _ : state) {
        runNearestSearch(f.search, cycle(), f.table, [](const SearchNode&) {});
        benchmark::DoNotOptimize(f.search.bestDistance);
    }
}

void search_capsule(benchmark::State& state) {
    runSearch(state, false);
}
void search_box(benchmark::State& state) {
    runSearch(state, true);
}

void scan_table(benchmark::State& state) {
    Fixture& f = fixture();
    SceneCycle cycle{sceneSet(state)};
    for (auto _ : state) {
        const Scene& scene = cycle();
        ScanResult result = scanTable(f.columns, scene.points, queryPoint(scene));
        benchmark::DoNotOptimize(result);
    }
}

void exact(benchmark::State& state) {
    SceneCycle cycle{sceneSet(state)};
    for (auto _ : state) {
        const Scene& scene = cycle();
        ExactNearest result = exactNearest(scene.points, queryPoint(scene));
        benchmark::DoNotOptimize(result);
    }
}

void frame(benchmark::State& state) {
    Fixture& f = fixture();
    NullCanvas canvas;
    SceneCycle cycle{sceneSet(state)};
    for (auto _ : state) benchmark::DoNotOptimize(drawFrame(canvas, cycle(), f.table, f.search));
}

void sets(benchmark::internal::Benchmark* b) {
    b->ArgName("set")->Arg(0)->Arg(1);
}

BENCHMARK(search_capsule)->Apply(sets);
BENCHMARK(search_box)->Apply(sets);
BENCHMARK(scan_table)->Apply(sets);
BENCHMARK(exact)->Apply(sets);
BENCHMARK(frame)->Apply(sets);

// Prints the usual table and remembers each benchmark's time per query.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.aggregate_name.empty())
                nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
};

void printRatio(const RatioReporter& r, const char* set, const char* a, const char* b) {
    const std::string suffix = std::string("/set:") + (set[0] == 'r' ? "0" : "1");
    const auto na = r.nanoseconds.find(a + suffix);
    const auto nb = r.nanoseconds.find(b + suffix);
    if (na == r.nanoseconds.end() || nb == r.nanoseconds.end()) return;
    std::printf("  %-12s %-15s / %-11s = %.3f\n", set, a, b, na->second / nb->second);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("set:0 = %d random scenes, set:1 = %zu adversarial scenes; time is per query\n",
                RANDOM_SCENE_COUNT, fixture().adversarial.size());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (CPU time per query):\n");
    for (const char* set : {"random", "adversarial"}) {
        printRatio(reporter, set, "search_capsule", "scan_table");
        printRatio(reporter, set, "search_box", "scan_table");
        printRatio(reporter, set, "exact", "scan_table");
        printRatio(reporter, set, "search_capsule", "exact");
    }
    benchmark::Shutdown();
    return 0;
}
