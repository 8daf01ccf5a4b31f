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

// A figure as the median of several runs, with the lowest and highest run
// to show how far runs scatter; `name` says what was measured when it is
// not the row's own measure.
struct Figure {
    double median = 0;
    double low = 0, high = 0;
    std::string name;
    bool present = false;
};

// One line of the results table: the tool's figure against two baselines
// measured in the same run. The goal, where a row has one, is the highest
// acceptable ratio of the tool to the first baseline, the same layout with
// plain controls; the second, one bare window, shows how far the tool is
// from an empty program.
struct Row {
    std::string measure;
    std::string unit;  // of all figures, e.g. "ms"
    Figure tool;
    Figure layout;
    Figure bare;
    double goal = 0;   // 0: shown for information
    std::string note;
    bool valid = true;  // false when the tool's measurement failed
};

// Runs of each measurement, and the length of one fade run; both may be
// set through the environment (TARNWICK_BENCH_RUNS, TARNWICK_BENCH_FADE_SECONDS).
struct Settings {
    int runs = 7;
    double fadeSeconds = 10;
    double cursorStepSeconds = 0.05;
};

}  // namespace tarnwick::bench
