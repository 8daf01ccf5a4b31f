// Holds files as a virus scanner holds one it checks: open for reading,
// letting others only read, so that none may be renamed, replaced or
// deleted meanwhile. hold_files <milliseconds> <path>...
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    for (int i = 2; i < argc; ++i) {
        if (CreateFileW(argv[i], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr) ==
            INVALID_HANDLE_VALUE) {
            return 1;
        }
    }
    Sleep(argc > 2 ? std::wcstoul(argv[1], nullptr, 10) : 0);
    return argc > 2 ? 0 : 2;  // the handles go with the process
}
