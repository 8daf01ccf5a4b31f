#include "core/disk/read_only_disk.h"

#include <windows.h>

#include <vector>

#include "core/disk/file_io.h"
#include "core/text/text_lines.h"
#include "win32/system_library.h"

namespace tarnwick {
namespace {

// The path itself when it exists, else the nearest folder above it that
// does; empty when none does.
std::wstring NearestExisting(std::wstring path) {
    path = fileio::FullPath(path);
    while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const std::wstring parent = fileio::ParentFolder(path);
        if (parent == path) return {};
        path = parent;
    }
    return path;
}

bool VolumeFlaggedReadOnly(const std::wstring& path) {
    // In the \\?\ form past MAX_PATH, which a deep folder reaches; the
    // volume's root is part of the path, so never longer than it.
    const std::wstring asked = fileio::LongPathForm(path);
    std::vector<wchar_t> root(asked.size() + 2);
    if (!GetVolumePathNameW(asked.c_str(), root.data(), static_cast<DWORD>(root.size()))) return false;
    DWORD flags = 0;
    const std::wstring plainRoot = fileio::PlainForm(root.data());
    if (!GetVolumeInformationW(plainRoot.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
    return (flags & FILE_READ_ONLY_VOLUME) != 0;
}

constexpr std::size_t kMaxMountTableBytes = 1 << 20;

bool WineMountReadOnly(const std::wstring& path) {
    const WineUnixFileNameProc toUnix = WineUnixFileName();
    const WineDosFileNameProc toDos = WineDosFileName();
    if (!toUnix || !toDos) return false;
    char* unixPath = toUnix(path.c_str());
    wchar_t* mountsPath = toDos("/proc/self/mounts");
    bool readOnly = false;
    if (unixPath && mountsPath) {
        readOnly = MountTableSaysReadOnly(fileio::ReadUntilEnd(mountsPath, kMaxMountTableBytes), unixPath);
    }
    if (unixPath) HeapFree(GetProcessHeap(), 0, unixPath);
    if (mountsPath) HeapFree(GetProcessHeap(), 0, mountsPath);
    return readOnly;
}

// Mount points write a space, tab, newline or backslash as "\" and three
// octal digits.
std::string Unescape(std::string_view field) {
    const auto octal = [&](std::size_t at) { return field[at] >= '0' && field[at] <= '7'; };
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            const int code = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            text.push_back(static_cast<char>(code));
            i += 3;
            continue;
        }
        text.push_back(field[i]);
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = line.find(' ', start);
        const std::size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > start) fields.push_back(line.substr(start, stop - start));
        start = stop + 1;
    }
    return fields;
}

bool Contains(std::string_view mountPoint, std::string_view path) {
    if (mountPoint == "/") return true;
    return path.substr(0, mountPoint.size()) == mountPoint &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

bool HasOption(std::string_view options, std::string_view option) {
    for (std::size_t start = 0; start <= options.size();) {
        const std::size_t comma = options.find(',', start);
        const std::size_t stop = comma == std::string_view::npos ? options.size() : comma;
        if (options.substr(start, stop - start) == option) return true;
        start = stop + 1;
    }
    return false;
}

}  // namespace

bool MountTableSaysReadOnly(std::string_view mounts, std::string_view unixPath) {
    std::size_t longest = 0;
    bool readOnly = false;
    for (std::string_view line : SplitLines(mounts)) {
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.size() < 4) continue;
        const std::string mountPoint = Unescape(fields[1]);
        if (!Contains(mountPoint, unixPath) || mountPoint.size() < longest) continue;
        longest = mountPoint.size();
        readOnly = HasOption(fields[3], "ro");
    }
    return readOnly;
}

bool OnReadOnlyDisk(const std::wstring& path) {
    // Through a link or junction the disk that counts is the one the link
    // leads to.
    const std::wstring nearest = NearestExisting(path);
    if (nearest.empty()) return false;
    const std::wstring existing = fileio::FinalPath(nearest);
    return VolumeFlaggedReadOnly(existing) || WineMountReadOnly(existing);
}

}  // namespace tarnwick
