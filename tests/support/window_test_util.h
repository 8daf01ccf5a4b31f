#pragma once
// Helpers for the tests that drive the tool's windows inside the test
// process: a game folder in a temporary folder and a message pump.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/disk/game_folder.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::test {

// Dispatches every queued message of this thread until none is left.
inline void PumpUntilIdle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Dispatches this thread's messages as they come (timers, posted results)
// until `done` holds; false when it did not within the time.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpUntilIdle();
    }
    return true;
}

inline bool WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// A temporary game folder; with `withGameFile` it holds a small meteor.exe
// that no version matches.
struct TestGameFolder {
    explicit TestGameFolder(bool withGameFile = true) {
        folder.base = temp.Path();
        if (withGameFile) WriteBytes(folder.GameFile(), std::vector<std::uint8_t>(4096, 0x41));
    }
    TempFolder temp;
    GameFolder folder;
};

// The window's text through the wide function, as the tool keeps it.
inline std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace tarnwick::test
