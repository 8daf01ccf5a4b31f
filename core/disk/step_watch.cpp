#include "core/disk/step_watch.h"

namespace tarnwick::fileio {
namespace {

thread_local StepWatcher* watcher = nullptr;

}  // namespace

StepWatcher* WatchSteps(StepWatcher* next) {
    StepWatcher* previous = watcher;
    watcher = next;
    return previous;
}

void BeforeStep(Step step, const std::wstring& path) {
    if (watcher) watcher->Before(step, path);
}

}  // namespace tarnwick::fileio
