#pragma once
// What the benchmark programs share: a high-resolution clock, medians, and
// the rows of the table they print.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarnwick::bench {

// Seconds since an arbitrary start, from the performance counter.
inline double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / frequency;
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Seconds of a FILETIME span (100-nanosecond units).
inline double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;
}

// One line of the results table: the tool's figure against the baseline's,
// both as medians over the runs, with the goal for their ratio (0 when the
// row has no goal and is shown for information).
struct Row {
    std::string measure;
    std::string unit;       // of both figures, e.g. "ms"
    double tool = 0;
    double baseline = 0;
    // The lowest and highest run of each, to show how far runs scatter.
    double toolLow = 0, toolHigh = 0;
    double baselineLow = 0, baselineHigh = 0;
    double goal = 0;        // highest acceptable tool / baseline
    std::string baselineName;
    std::string note;
    bool valid = true;      // false when the measurement failed
};

// Runs of each measurement, and the length of one fade run; both may be
// set through the environment (TARNWICK_BENCH_RUNS, TARNWICK_BENCH_FADE_SECONDS).
struct Settings {
    int runs = 7;
    double fadeSeconds = 10;
    double cursorStepSeconds = 0.05;
};

}  // namespace tarnwick::bench
