// Holds files open as a virus scanner holds a file it checks: for reading,
// letting others only read (so that nobody may rename, replace or delete
// it meanwhile), for the given time: hold_files <milliseconds> <path>...
// Every file is open before the wait begins; a file that cannot be opened
// ends the program with 1 at once.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: hold_files <milliseconds> <path>...\n", stderr);
        return 2;
    }
    const DWORD holdMs = std::wcstoul(argv[1], nullptr, 10);
    std::vector<HANDLE> held;
    for (int i = 2; i < argc; ++i) {
        HANDLE file = CreateFileW(argv[i], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "hold_files: cannot open %ls (error %lu)\n", argv[i], GetLastError());
            return 1;
        }
        held.push_back(file);
    }
    Sleep(holdMs);
    for (HANDLE file : held) CloseHandle(file);
    return 0;
}
