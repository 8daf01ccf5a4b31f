#pragma once
// Benchmarks of the real Tarnwick.exe, each against two baseline programs
// (the same layout with plain controls, and one bare window), run in turn
// in the same session so that all see the same machine.
#include <string>
#include <vector>

#include "bench/bench_measure.h"

namespace tarnwick::bench {

struct Programs {
    std::wstring tool;      // Tarnwick.exe
    std::wstring baseline;  // bench_baseline.exe, one bare window
    std::wstring layout;    // bench_layout_baseline.exe, the same layout with plain controls
};

// Start-up time with the notice shown (a first start) and switched off, and
// the memory of a started tool: private bytes and peak pagefile use.
std::vector<Row> MeasureStartUp(const Programs& programs, const Settings& settings);
// From the click on "确认" to the message box on the screen, against the
// same click in both baselines, and against one copy of the game file.
std::vector<Row> MeasureApply(const Programs& programs, const Settings& settings);
// CPU time while the cursor moves on and off a button.
Row MeasureFade(const Programs& programs, const Settings& settings);
// File sizes of the three programs.
Row MeasureBinarySize(const Programs& programs);

}  // namespace tarnwick::bench
