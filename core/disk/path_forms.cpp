#include "core/disk/path_forms.h"

#include <vector>

#include "core/disk/trailing_separator.h"

namespace tarnwick::fileio {

std::wstring ParentFolder(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    return length > 0 && length < needed ? std::wstring(buffer.data(), length) : path;
}

// CreateDirectoryW takes a plain path only while it leaves room for an 8.3
// name below it (MAX_PATH - 12 characters); files take a few more. The
// lower bound serves both.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

std::wstring PlainForm(const std::wstring& path) {
    // "\\?\UNC\server\share" is "\\server\share"; "\\?\C:\x" is "C:\x".
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
    return path;
}

std::wstring LongPathForm(const std::wstring& path, std::size_t room) {
    if (path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0) return path;
    std::wstring full = FullPath(path);
    if (full.size() + room < kPlainPathLimit) return path;
    full = WithoutTrailingSeparator(full);
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring FoldCase(const std::wstring& text) {
    std::wstring upper(text.size(), L'\0');
    const int length = static_cast<int>(text.size());
    const int mapped = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.c_str(), length, upper.data(), length);
    return length > 0 && mapped == length ? upper : text;
}

bool NamesDevice(const std::wstring& path) {
    if (path.compare(0, 4, L"\\\\.\\") == 0) return true;
    const std::size_t slash = path.find_last_of(L"\\/:");
    std::wstring name = FoldCase(slash == std::wstring::npos ? path : path.substr(slash + 1));
    // The system drops what follows the first dot, and trailing spaces, from
    // a device's name; a name that ended in a colon ("NUL:") ended before it.
    if (name.empty() && slash != std::wstring::npos && path[slash] == L':') {
        const std::size_t before = path.find_last_of(L"\\/", slash);
        name = FoldCase(path.substr(before == std::wstring::npos ? 0 : before + 1, slash - (before == std::wstring::npos ? 0 : before + 1)));
    }
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ') name.pop_back();
    for (const wchar_t* reserved : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (name == reserved) return true;
    }
    return name.size() == 4 && (name.compare(0, 3, L"COM") == 0 || name.compare(0, 3, L"LPT") == 0) &&
           name[3] >= L'1' && name[3] <= L'9';
}

}  // namespace tarnwick::fileio
