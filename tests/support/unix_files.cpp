#include "tests/support/unix_files.h"

#include <windows.h>

#include <cstring>

namespace tarnwick::test {
namespace {

// i386 Linux system call numbers.
constexpr long kUnlink = 10;
constexpr long kRename = 38;
constexpr long kSymlink = 83;
constexpr long kReadlink = 85;
constexpr long kOpen = 5;
constexpr long kClose = 6;
constexpr long kGetdents64 = 220;

long LinuxCall(long number, const char* first, const char* second = nullptr) {
    long result;
    asm volatile("int $0x80" : "=a"(result) : "a"(number), "b"(first), "c"(second) : "memory");
    return result;
}

long LinuxCall(long number, long first, long second, long third) {
    long result;
    asm volatile("int $0x80" : "=a"(result) : "a"(number), "b"(first), "c"(second), "d"(third) : "memory");
    return result;
}

}  // namespace

std::string UnixName(const std::wstring& windowsPath) {
    using UnixNameFn = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* name = toUnix(windowsPath.c_str());
    if (!name) return {};
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

bool MakeSymbolicLink(const std::wstring& link, const std::wstring& target) {
    const std::string linkName = UnixName(link);
    const bool absolute = target.size() > 1 && (target[1] == L':' || target[0] == L'\\');
    std::string targetName;
    if (absolute) {
        targetName = UnixName(target);
    } else {
        for (wchar_t c : target) targetName += c == L'\\' ? '/' : static_cast<char>(c);
    }
    return !linkName.empty() && !targetName.empty() && LinuxCall(kSymlink, targetName.c_str(), linkName.c_str()) == 0;
}

bool UnixRename(const std::wstring& from, const std::wstring& to) {
    const std::string fromName = UnixName(from);
    const std::string toName = UnixName(to);
    return !fromName.empty() && !toName.empty() && LinuxCall(kRename, fromName.c_str(), toName.c_str()) == 0;
}

bool UnixDelete(const std::wstring& path) {
    const std::string name = UnixName(path);
    return !name.empty() && LinuxCall(kUnlink, name.c_str()) == 0;
}

std::string LinkTarget(const std::wstring& path) {
    const std::string name = UnixName(path);
    char target[4096];
    const long length = name.empty() ? -1 : LinuxCall(kReadlink, reinterpret_cast<long>(name.c_str()), reinterpret_cast<long>(target), sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

std::vector<std::string> FolderNames(const std::wstring& folder) {
    std::vector<std::string> names;
    const std::string name = UnixName(folder);
    constexpr long kReadOnlyFolder = 0200000;  // O_RDONLY | O_DIRECTORY
    const long fd = name.empty() ? -1 : LinuxCall(kOpen, reinterpret_cast<long>(name.c_str()), kReadOnlyFolder, 0);
    if (fd < 0) return names;
    alignas(8) char buffer[8192];
    long got;
    while ((got = LinuxCall(kGetdents64, fd, reinterpret_cast<long>(buffer), sizeof buffer)) > 0) {
        // struct linux_dirent64: inode (8), offset (8), record length (2), type (1), name.
        for (long at = 0; at < got;) {
            unsigned short length;
            memcpy(&length, buffer + at + 16, sizeof length);
            const std::string entry(buffer + at + 19);
            if (entry != "." && entry != "..") names.push_back(entry);
            at += length;
        }
    }
    LinuxCall(kClose, fd, 0, 0);
    return names;
}

}  // namespace tarnwick::test
