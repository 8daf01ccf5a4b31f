#pragma once
// The points between the tool's steps on disk: before each open, creation,
// write, flush, rename and deletion of a file it works on. A watcher set
// for a thread is told of each step that thread takes, and may change the
// world there (another program replacing a file, a second copy of the
// tool at work, the process killed) as real programs can between any two
// steps; tests use it so, since real timing cannot be arranged on demand.
// The tool runs with none.
#include <string>

namespace tarnwick::fileio {

enum class Step { Open, Create, Write, Flush, Rename, Delete };

class StepWatcher {
public:
    virtual ~StepWatcher() = default;
    // `path` is the file the step is about to act on (for a rename, its
    // destination).
    virtual void Before(Step step, const std::wstring& path) = 0;
};

// The calling thread's watcher, or none (nullptr). Returns the one before.
StepWatcher* WatchSteps(StepWatcher* watcher);

// Tells the calling thread's watcher, if any, of the step about to be taken.
void BeforeStep(Step step, const std::wstring& path);

}  // namespace tarnwick::fileio
