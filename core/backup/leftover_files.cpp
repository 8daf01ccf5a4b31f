#include "core/backup/leftover_files.h"

#include <windows.h>

#include <string>

#include "core/disk/file_io.h"
#include "core/disk/own_file.h"

namespace tarnwick {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;  // FILETIME counts 100 ns

std::uint64_t Ticks(const FILETIME& time) {
    return std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

// Opened with no sharing, so a file that any program still holds is
// skipped; checked and deleted through that one handle.
void RemoveIfLeftover(const std::wstring& path, std::uint64_t now) {
    fileio::File file;
    if (file.Open(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0, OPEN_EXISTING,
                  FILE_FLAG_OPEN_REPARSE_POINT)) {
        return;
    }
    fileio::FileFacts facts;
    if (file.Facts(facts) || !fileio::IsPlainOwnFile(file, path, facts)) return;
    if (Ticks(facts.written) + kLeftoverAgeSeconds * kTicksPerSecond > now) return;
    file.DeleteAndClose();  // what cannot be deleted is left
}

// Whether `dir`, as the system resolves it, lies inside the game folder:
// a Data folder that is a link to another folder (shared by installs, or
// a player's own) is not the tool's to clean. Both names are built on the
// same root, so they are resolved (or left as they are) alike.
bool InsideGameFolder(const std::wstring& dir, const std::wstring& root) {
    const std::wstring inside = fileio::FinalPath(root);
    const std::wstring folder = fileio::FinalPath(dir);
    return folder.size() > inside.size() && folder.compare(0, inside.size(), inside) == 0 &&
           (inside.back() == L'\\' || folder[inside.size()] == L'\\');
}

}  // namespace

bool IsLeftoverName(std::wstring_view name) {
    // "twk", eight hexadecimal digits as the tool writes them (0-9, A-F),
    // ".tmp": '#' stands for such a digit.
    constexpr std::wstring_view kPattern = L"twk########.tmp";
    if (name.size() != kPattern.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        const bool digit = (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F');
        if (kPattern[i] == L'#' ? !digit : c != kPattern[i]) return false;
    }
    return true;
}

void RemoveLeftoverFiles(const GameFolder& folder) {
    FILETIME nowTime;
    GetSystemTimeAsFileTime(&nowTime);
    const std::uint64_t now = Ticks(nowTime);
    const std::wstring root = folder.Root();
    for (const std::wstring& dir : {root, folder.DataFolder(), folder.BackupFolder()}) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((dir + L"\\twk*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        // Asked only once a name is found: most runs find none.
        int inside = dir == root ? 1 : -1;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            // A link is skipped; a cloud file (a synced folder) is the file itself.
            const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                              fileio::ReparseTagIsLink(found.dwReserved0);
            if (link) continue;
            // The search matches short 8.3 names too: the long name decides.
            if (!IsLeftoverName(found.cFileName)) continue;
            if (inside < 0) inside = InsideGameFolder(dir, root) ? 1 : 0;
            if (inside == 0) break;
            RemoveIfLeftover(dir + L"\\" + found.cFileName, now);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
}

}  // namespace tarnwick
