#include "core/leftover_files.h"

#include <windows.h>

#include <string>

#include "core/file_io.h"
#include "core/own_file.h"

namespace tarnwick {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;  // FILETIME counts 100 ns

std::uint64_t Ticks(const FILETIME& time) {
    return std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

// Opened with no sharing, so a file that any program still holds is
// skipped; checked and deleted through that one handle.
bool RemoveIfLeftover(const std::wstring& path, std::uint64_t now) {
    fileio::File file;
    if (file.Open(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0, OPEN_EXISTING,
                  FILE_FLAG_OPEN_REPARSE_POINT)) {
        return false;
    }
    fileio::FileFacts facts;
    if (file.Facts(facts) || !fileio::IsPlainOwnFile(file, path, facts)) return false;
    if (Ticks(facts.written) + kLeftoverAgeSeconds * kTicksPerSecond > now) return false;
    return file.DeleteAndClose() == 0;
}

}  // namespace

int RemoveLeftoverFiles(const GameFolder& folder) {
    FILETIME nowTime;
    GetSystemTimeAsFileTime(&nowTime);
    const std::uint64_t now = Ticks(nowTime);
    int removed = 0;
    for (const std::wstring& dir : {folder.Root(), folder.DataFolder(), folder.BackupFolder()}) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((dir + L"\\twk*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            // A link is skipped; a cloud file (a synced folder) is the file itself.
            const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                              fileio::ReparseTagIsLink(found.dwReserved0);
            if (link) continue;
            if (RemoveIfLeftover(dir + L"\\" + found.cFileName, now)) ++removed;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return removed;
}

}  // namespace tarnwick
