// Benchmarks of Tarnwick under this machine's Windows (Wine in CI): start-up,
// "确认", hover fades and memory, each as a ratio against two baselines
// measured in the same run (the same layout with plain controls, and one
// bare window). Prints a Markdown table; asserts nothing.
//
// Usage: tarnwick_bench [tick] [startup] [apply] [fade] [size]
// (all when none is named). TARNWICK_BENCH_RUNS sets the runs per figure
// (7), TARNWICK_BENCH_FADE_SECONDS the length of one fade run (10), and
// TARNWICK_BENCH_TOOL the Windows path of another Tarnwick.exe to measure
// (an older build, for figures before and after a change).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "bench/bench_measure.h"
#include "bench/fade_tick_bench.h"
#include "bench/process_bench.h"
#include "tests/support/tool_driver.h"

namespace {

using namespace tarnwick::bench;

double EnvironmentNumber(const char* name, double fallback) {
    char text[32] = {};
    if (GetEnvironmentVariableA(name, text, sizeof text) == 0) return fallback;
    const double value = std::atof(text);
    return value > 0 ? value : fallback;
}

// Microseconds of one request to the Wine server (GetPropA of a window),
// the median of 200 requests, each after 30 us of work of this process as
// a program does between its window calls. Nearly every window call of the
// tool is such a request under Wine. When the Wine server runs on the other
// CPU, a request has to wake that CPU, which on a virtual machine costs
// tens of microseconds once it has gone idle; the figure tells readers how
// expensive requests were while the figures were taken.
double ServerRoundTripMicroseconds() {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) return 0;
    SetPropA(window, "BENCH", reinterpret_cast<HANDLE>(1));
    std::vector<double> requests;
    for (int i = 0; i < 200; ++i) {
        for (const double until = Now() + 30e-6; Now() < until;) {
        }
        const double start = Now();
        GetPropA(window, "BENCH");
        requests.push_back(Now() - start);
    }
    RemovePropA(window, "BENCH");
    DestroyWindow(window);
    return Median(requests) * 1e6;
}

// Digits after the point for a unit.
int Decimals(const std::string& unit) { return unit == "MiB" ? 2 : unit == "KiB" ? 0 : 1; }

// "82.4 ms (75.1..230.2)": the median and, when the runs differ, the
// lowest and highest run; then what was measured, where the figure has a
// name of its own.
std::string FigureText(const Figure& figure, const std::string& unit) {
    if (!figure.present) return "-";
    const int d = Decimals(unit);
    char text[96];
    if (figure.high > figure.low) {
        std::snprintf(text, sizeof text, "%.*f %s (%.*f..%.*f)", d, figure.median, unit.c_str(), d, figure.low, d,
                      figure.high);
    } else {
        std::snprintf(text, sizeof text, "%.*f %s", d, figure.median, unit.c_str());
    }
    return figure.name.empty() ? text : std::string(text) + ", " + figure.name;
}

std::string RatioText(const Figure& tool, const Figure& baseline) {
    if (!tool.present || !baseline.present || baseline.median <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2fx", tool.median / baseline.median);
    return text;
}

std::string GoalText(double goal) {
    if (goal <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "<= %.2fx", goal);
    return text;
}

void PrintRow(const Row& row) {
    if (!row.valid) {
        std::printf("| %s | failed | | | | | | %s |\n", row.measure.c_str(), row.note.c_str());
        return;
    }
    std::string verdict;
    if (row.goal > 0 && row.layout.present && row.layout.median > 0)
        verdict = row.tool.median / row.layout.median <= row.goal ? "met" : "missed";
    if (!row.note.empty()) verdict += (verdict.empty() ? "" : "; ") + row.note;
    std::printf("| %s | %s | %s | %s | %s | %s | %s | %s |\n", row.measure.c_str(),
                FigureText(row.tool, row.unit).c_str(), FigureText(row.layout, row.unit).c_str(),
                RatioText(row.tool, row.layout).c_str(), GoalText(row.goal).c_str(),
                FigureText(row.bare, row.unit).c_str(), RatioText(row.tool, row.bare).c_str(), verdict.c_str());
}

void PrintFadeTick(const FadeTickFigures& tick, int cycles) {
    if (!tick.ok) {
        std::printf("| Fade tick, in process | failed | | | | | | %s |\n", tick.problem.c_str());
        return;
    }
    constexpr double kGoal = 2.0;
    const double ratio = tick.tickMicroseconds / tick.blendMicroseconds;
    std::printf("| Fade tick, in process: %d ticks of %d fades in and out | %.1f us | %.1f us, one AlphaBlend onto the "
                "button's window DC | %.2fx | <= %.2fx | - | - | %s; %d ticks drew one AlphaBlend, %d none (opacity "
                "0), %d more than one; %ld window DCs taken, %ld GDI objects created (%ld while attaching); live GDI "
                "objects %d before, %d after |\n",
                tick.ticks, 2 * cycles, tick.tickMicroseconds, tick.blendMicroseconds, ratio, kGoal,
                ratio <= kGoal ? "met" : "missed", tick.ticksWithOneBlend, tick.ticksWithNoBlend,
                tick.ticksWithMoreBlends, tick.windowDcs, tick.objectsCreated, tick.objectsCreatedByAttach,
                tick.liveObjectsBefore,
                tick.liveObjectsAfter);
}

}  // namespace

int main(int argc, char** argv) {
    std::set<std::string> wanted(argv + 1, argv + argc);
    auto want = [&](const char* name) { return wanted.empty() || wanted.count(name) > 0; };

    Settings settings;
    settings.runs = static_cast<int>(EnvironmentNumber("TARNWICK_BENCH_RUNS", settings.runs));
    settings.fadeSeconds = EnvironmentNumber("TARNWICK_BENCH_FADE_SECONDS", settings.fadeSeconds);
    Programs programs{tarnwick::test::WinePathFromUnix(TARNWICK_EXE_PATH),
                      tarnwick::test::WinePathFromUnix(TARNWICK_BASELINE_PATH),
                      tarnwick::test::WinePathFromUnix(TARNWICK_LAYOUT_BASELINE_PATH)};
    wchar_t tool[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TARNWICK_BENCH_TOOL", tool, MAX_PATH) > 0) programs.tool = tool;

    const double roundTripBefore = ServerRoundTripMicroseconds();
    // The in-process part first: its call counters must be in place before
    // anything in this process looks up AlphaBlend.
    constexpr int kFadeCycles = 20;
    FadeTickFigures tick;
    if (want("tick")) tick = MeasureFadeTicks(kFadeCycles);

    std::vector<Row> rows;
    if (want("startup")) {
        for (Row& row : MeasureStartUp(programs, settings)) rows.push_back(row);
    }
    if (want("apply")) {
        for (Row& row : MeasureApply(programs, settings)) rows.push_back(row);
    }
    if (want("fade")) rows.push_back(MeasureFade(programs, settings));
    if (want("size")) rows.push_back(MeasureBinarySize(programs));

    std::printf("Medians of %d runs each, lowest and highest run in brackets. Wine server round trip: %.1f us "
                "before the runs, %.1f us after.\n\n",
                settings.runs, roundTripBefore, ServerRoundTripMicroseconds());
    std::printf("| Measure | Tarnwick | Same layout, plain controls | Ratio | Goal | One bare window | Ratio | Result "
                "|\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Row& row : rows) PrintRow(row);
    if (want("tick")) PrintFadeTick(tick, kFadeCycles);
    std::fflush(stdout);
    return 0;
}
