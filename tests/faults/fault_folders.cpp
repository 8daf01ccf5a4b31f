#include "tests/faults/fault_folders.h"

#include <psapi.h>

#include <stdexcept>
#include <string>

#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

namespace tarnwick::test {
namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

// The Windows path of the Unix path in an environment variable; empty when
// the variable is not set.
std::wstring PathFromEnvironment(const char* variable) {
    char value[1024] = {};
    const DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
    if (length == 0 || length >= sizeof value) return L"";
    return WithoutTrailingSlash(WinePathFromUnix(value));
}

}  // namespace

std::wstring SmallDiskPath() { return PathFromEnvironment("TARNWICK_SMALL_DISK"); }

std::wstring SmallDiskReadOnlyViewPath() { return PathFromEnvironment("TARNWICK_SMALL_DISK_READONLY"); }

std::wstring SmallDiskReadOnlyLinkPath() { return PathFromEnvironment("TARNWICK_SMALL_DISK_READONLY_LINK"); }

std::wstring QuickFolderRoot(std::string* where) {
    auto tell = [where](const char* text) {
        if (where) *where = text;
    };
    const std::wstring smallDisk = SmallDiskPath();
    if (!smallDisk.empty() && IsFolder(smallDisk)) {
        tell("the small disk (tmpfs)");
        return smallDisk;
    }
    const std::wstring shm = L"Z:\\dev\\shm";
    if (IsFolder(shm)) {
        tell("/dev/shm (tmpfs)");
        return shm;
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    tell("the system's temporary folder");
    return WithoutTrailingSlash(temp);
}

std::optional<std::uint64_t> FreeBytes(const std::wstring& path) {
    ULARGE_INTEGER available{};
    std::wstring folder = path + L"\\";
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

FolderUnder::FolderUnder(const std::wstring& root) {
    static unsigned counter = 0;
    for (;;) {
        path_ = root + L"\\faults-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a folder");
    }
}

FolderUnder::~FolderUnder() { RemoveTree(path_); }

std::uint64_t PrivateBytes(const char** source) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters) &&
        counters.PrivateUsage != 0) {
        if (source) *source = "PrivateUsage";
        return counters.PrivateUsage;
    }
    if (source) *source = "committed private regions";
    std::uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<const char*>(nullptr);
         VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return total;
}

DWORD KernelHandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return count;
    count = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

}  // namespace tarnwick::test
