#include "core/disk/program_folder.h"

#include <windows.h>

namespace tarnwick::fileio {

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        // Cut to fit: the buffer was too small. The longest path is 32767.
        if (path.size() >= 32768) return L"";
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash);
}

}  // namespace tarnwick::fileio
