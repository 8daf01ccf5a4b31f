#pragma once
// Counts the calls that this program makes to chosen system functions. The
// program's import address table is redirected through small stubs that
// add one to a counter and jump on to the real function, so the engine
// library linked into the benchmark is the very code the tool ships, with
// no diagnostic path of its own. Functions the engine looks up at run time
// (AlphaBlend) are caught by redirecting GetProcAddress.
//
// 32-bit x86 only; one thread (the counters are not atomic).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarnwick::bench {

struct CallCount {
    std::string library;
    std::string name;
    long calls = 0;
};

// Redirects every import of `library` whose name `select` accepts; returns
// how many entries were redirected.
int CountImports(const char* library, const std::function<bool(const char* name)>& select);
// Makes GetProcAddress hand out counting stubs for the named functions.
// Must run before the code under test first looks them up.
bool CountRunTimeLookups(const std::vector<std::string>& names);

// Every counted function and its calls since the last reset.
std::vector<CallCount> CallCounts();
long CallsOf(const char* name);
// Calls of all counted functions of `library` whose name `select` accepts.
long CallsWhere(const std::function<bool(const CallCount&)>& select);
void ResetCallCounts();

}  // namespace tarnwick::bench
