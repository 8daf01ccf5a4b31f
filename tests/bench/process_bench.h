#pragma once
// Benchmarks of the real Tarnwick.exe, each against the baseline program
// (or, for "确认", against one plain copy of the game file), run in turn in
// the same session so that both see the same machine.
#include <string>
#include <vector>

#include "tests/bench/bench_measure.h"

namespace tarnwick::bench {

struct Programs {
    std::wstring tool;      // Tarnwick.exe
    std::wstring baseline;  // bench_baseline.exe
};

// Start-up time with the notice shown (a first start) and switched off, and
// the memory of a started tool: private bytes and peak pagefile use.
std::vector<Row> MeasureStartUp(const Programs& programs, const Settings& settings);
// From the click on "确认" to the message box on the screen, against one
// copy of the game file and against the same click in the baseline.
std::vector<Row> MeasureApply(const Programs& programs, const Settings& settings);
// CPU time while the cursor moves on and off a button.
Row MeasureFade(const Programs& programs, const Settings& settings);
// File sizes of both programs.
Row MeasureBinarySize(const Programs& programs);

}  // namespace tarnwick::bench
