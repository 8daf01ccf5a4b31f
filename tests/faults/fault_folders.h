#pragma once
// Folders for the fault and long-run tests: game folders on the small disk
// that scripts/test mounts (a tmpfs of a few megabytes, so that files can be
// made not to fit), and a quick folder for loops that write many files.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tarnwick::test {

// The Windows path of the small disk, from the Unix path in the environment
// variable TARNWICK_SMALL_DISK; empty when the variable is not set.
std::wstring SmallDiskPath();

// The same small disk seen through a read-only mount, from the Unix path
// in TARNWICK_SMALL_DISK_READONLY; empty when that is not set.
std::wstring SmallDiskReadOnlyViewPath();
// A symbolic link to that view, from TARNWICK_SMALL_DISK_READONLY_LINK.
std::wstring SmallDiskReadOnlyLinkPath();

// A folder where thousands of writes and flushes are cheap: the small disk
// when there is one, else /dev/shm when Wine sees it, else the system's
// temporary folder. `where` tells which, for the printed figures.
std::wstring QuickFolderRoot(std::string* where = nullptr);

// Bytes free to this process on the volume holding `path`.
std::optional<std::uint64_t> FreeBytes(const std::wstring& path);

// A fresh empty folder under `root`, removed with everything in it when the
// object goes away.
class FolderUnder {
public:
    explicit FolderUnder(const std::wstring& root);
    ~FolderUnder();
    FolderUnder(const FolderUnder&) = delete;
    FolderUnder& operator=(const FolderUnder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// The private memory this process has committed: PrivateUsage of
// GetProcessMemoryInfo where the platform fills it in. Wine leaves it 0, so
// there the committed private regions of the address space are added up
// instead. `source` tells which was used.
std::uint64_t PrivateBytes(const char** source = nullptr);

// Open kernel handles of this process: GetProcessHandleCount where the
// platform answers it. Wine answers 0, so there every handle value up to
// 0x10000 is probed with GetHandleInformation.
DWORD KernelHandleCount();

}  // namespace tarnwick::test
