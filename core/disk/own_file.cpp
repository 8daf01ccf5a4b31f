#include "core/disk/own_file.h"

#include "core/disk/held_file_retry.h"

namespace tarnwick::fileio {
namespace {

std::wstring LeafName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// A name that is a link if its tag cannot be read: a reparse point of an
// unknown kind is not followed.
constexpr DWORD kUnreadTag = IO_REPARSE_TAG_SYMLINK;

// The tag of the name itself, from its directory entry (the find data
// carries it in dwReserved0 on every system from XP on).
DWORD NameReparseTag(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return kUnreadTag;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? found.dwReserved0 : 0;
}

}  // namespace

bool ReparseTagIsLink(DWORD tag) { return IsReparseTagNameSurrogate(tag); }

bool NameIsLink(const std::wstring& path, DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    return ReparseTagIsLink(NameReparseTag(path));
}

bool NamesOwnFile(const File& file, const std::wstring& path) {
    if (NameIsLink(path, GetFileAttributesW(path.c_str()))) return false;
    const std::wstring resolved = FoldCase(file.ResolvedName());
    if (resolved.empty()) return true;
    // The name as given, when nothing on the way is a link: the usual case,
    // told without opening the folder.
    if (resolved == FoldCase(PlainForm(FullPath(path)))) return true;
    std::wstring folder = FinalPath(ParentFolder(path));
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return resolved == FoldCase(folder + LeafName(path));
}

bool IsPlainOwnFile(const File& file, const std::wstring& path, const FileFacts& facts) {
    if (facts.attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    if (facts.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // Through the handle where the system can tell, else by name.
        DWORD tag = 0;
        if (file.ReparseTag(tag) ? NameIsLink(path, facts.attributes) : ReparseTagIsLink(tag)) return false;
    }
    return facts.links == 1 && NamesOwnFile(file, path);
}

DWORD CheckOwnName(const std::wstring& path) {
    DWORD attributes = 0;
    if (DWORD error = ExistingAttributes(path, attributes)) return error;
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (NameIsLink(path, attributes)) return kNotOwnFileError;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    File file;
    DWORD error = file.Open(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    // A link whose target is gone names nothing that can be opened.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return kNotOwnFileError;
    if (error) return error;
    return NamesOwnFile(file, path) ? 0 : kNotOwnFileError;
}

DWORD DeleteOwnFile(const std::wstring& path) {
    // A program that opened the file without letting others delete it (a
    // scanner checking it) is waited for a moment.
    const DWORD error = RetryWhileHeld(path, [&path] {
        File file;
        DWORD error = file.Open(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT);
        // Nothing there, or a link to nothing: no file is deleted either way.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return DWORD{0};
        if (error) return error;
        if (!NamesOwnFile(file, path)) return kNotOwnFileError;
        return file.DeleteAndClose();
    });
    return IsHoldError(error) ? kHeldByOtherProgramError : error;
}

}  // namespace tarnwick::fileio
