#include "core/own_file.h"

namespace tarnwick::fileio {
namespace {

std::wstring LeafName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool NamesOwnFile(const File& file, const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
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
    return !(facts.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) && facts.links == 1 &&
           NamesOwnFile(file, path);
}

DWORD CheckOwnName(const std::wstring& path) {
    DWORD attributes = 0;
    if (DWORD error = ExistingAttributes(path, attributes)) return error;
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return kNotOwnFileError;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    File file;
    DWORD error = file.Open(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    // A link whose target is gone names nothing that can be opened.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return kNotOwnFileError;
    if (error) return error;
    return NamesOwnFile(file, path) ? 0 : kNotOwnFileError;
}

DWORD DeleteOwnFile(const std::wstring& path) {
    File file;
    DWORD error = file.Open(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT);
    // Nothing there, or a link to nothing: no file is deleted either way.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
    if (error) return error;
    if (!NamesOwnFile(file, path)) return kNotOwnFileError;
    return file.DeleteAndClose();
}

}  // namespace tarnwick::fileio
