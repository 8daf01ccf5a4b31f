#include "app/window_game_folder.h"

#include <windows.h>

#include <string>

#include "core/disk/file_io.h"

namespace tarnwick {
namespace {

// The folder of this program's file; empty when its name does not fit.
std::wstring OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return L"";
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash);
}

}  // namespace

GameFolder WindowGameFolder() {
    const GameFolder current;
    if (fileio::FileExists(current.GameFile())) return current;
    const std::wstring own = OwnFolder();
    if (own.empty()) return current;
    GameFolder beside = GameFolderAt(own);
    return fileio::FileExists(beside.GameFile()) ? beside : current;
}

}  // namespace tarnwick
