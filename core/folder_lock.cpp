#include "core/folder_lock.h"

#include <cstdint>
#include <vector>

#include "core/file_io.h"

namespace tarnwick {
namespace {

// Expands 8.3 components; the path as given when that fails.
std::wstring LongPath(const std::wstring& path) {
    const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), needed);
    return length > 0 && length < needed ? std::wstring(buffer.data(), length) : path;
}

// FNV-1a, 64 bits, over the UTF-16 units.
std::uint64_t Hash(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t unit : text) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Every copy of the tool may open the mutex, whichever rights it runs
// with: one started "as administrator" and one started plainly must still
// wait for each other.
HANDLE CreateSharedMutex(const std::wstring& name) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    HANDLE mutex = CreateMutexW(&attributes, FALSE, name.c_str());
    // Made by a copy with higher rights, it may grant no more than waiting
    // and releasing, which is all that is needed.
    if (!mutex && GetLastError() == ERROR_ACCESS_DENIED) {
        mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    }
    return mutex;
}

}  // namespace

std::wstring NormalisedFolderPath(const std::wstring& folder) {
    std::wstring path = LongPath(fileio::FullPath(folder));
    // "C:\" keeps its backslash; "C:\Games\" loses it.
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    // File names match without regard to case; the invariant locale folds
    // them the same way on every system.
    std::wstring upper(path.size(), L'\0');
    const int length = static_cast<int>(path.size());
    const int mapped = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, path.c_str(), length, upper.data(), length);
    return length > 0 && mapped == length ? upper : path;
}

std::wstring FolderLockName(const std::wstring& folder) {
    const std::uint64_t hash = Hash(NormalisedFolderPath(folder));
    std::wstring name = L"Tarnwick.GameFolder.";
    for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789ABCDEF"[(hash >> shift) & 0xF];
    return name;
}

FolderLock::FolderLock(const GameFolder& folder, DWORD waitMs) {
    const std::wstring name = FolderLockName(folder.base);
    // Copies in other sessions (another user switched in) share the global
    // namespace; where that is refused, the session's own still serves.
    mutex_ = CreateSharedMutex(L"Global\\" + name);
    if (!mutex_) mutex_ = CreateSharedMutex(L"Local\\" + name);
    if (!mutex_) return;
    switch (WaitForSingleObject(mutex_, waitMs)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // a copy that ended mid-way; the checks that follow see what it left
            owned_ = true;
            break;
        case WAIT_TIMEOUT:
            busy_ = true;
            break;
        default:
            break;
    }
}

FolderLock::~FolderLock() {
    if (owned_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
}

}  // namespace tarnwick
