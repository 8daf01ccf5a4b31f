#pragma once
// The file copy that the baselines' "确认" makes: TARNWICK_BENCH_COPY holds
// "source|destination" (Windows paths). Plain C string handling, so that
// the baselines stay free of the C++ library.
#include <windows.h>

#include <cwchar>

namespace tarnwick::bench {

// Fills both paths (MAX_PATH characters each) and returns true when the
// setting is there and well formed; leaves them empty otherwise.
inline bool ReadCopySetting(wchar_t* from, wchar_t* to) {
    wchar_t copy[2 * MAX_PATH + 2] = {};
    if (GetEnvironmentVariableW(L"TARNWICK_BENCH_COPY", copy, 2 * MAX_PATH + 2) == 0) return false;
    wchar_t* bar = std::wcschr(copy, L'|');
    if (bar == nullptr || bar - copy >= MAX_PATH || std::wcslen(bar + 1) >= MAX_PATH) return false;
    *bar = 0;
    lstrcpynW(from, copy, MAX_PATH);
    lstrcpynW(to, bar + 1, MAX_PATH);
    return true;
}

}  // namespace tarnwick::bench
