#include "core/disk/checked_swap.h"

#include "core/disk/held_file_retry.h"
#include "core/disk/path_forms.h"
#include "core/text/hex_digits.h"

namespace tarnwick::fileio {
namespace {

// Names for files moved aside: the same pattern as the temporary files
// written beside their destination, so a copy killed mid-way leaves only
// what the next run clears (the tool moves aside only files it no longer
// needs, or puts them back before it ends).
constexpr DWORD kNameStep = 0x6F4F2A1Bu;
constexpr int kAttempts = 64;

}  // namespace

bool NameTaken(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

DWORD MoveAside(File& file, const std::wstring& destination, std::wstring& aside) {
    const std::wstring folder = ParentFolder(destination);
    const DWORD seed = GetCurrentProcessId() * 0x9E3779B1u + GetTickCount();
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < kAttempts && error == ERROR_ALREADY_EXISTS; ++attempt) {
        std::wstring name = folder + L"\\twk";
        AppendHexDigits(name, seed + static_cast<DWORD>(attempt) * kNameStep, 8);
        name += L".tmp";
        error = RenameWhereFree(file, name);
        if (!error) aside = std::move(name);
    }
    return error;
}

DWORD RenameWhereFree(File& file, const std::wstring& path) {
    return RetryWhileHeld(file.Path(), [&] { return file.RenameTo(path); });
}

SwapResult SwapIn(PendingFile& fresh, File& checked) {
    SwapResult result;
    const std::wstring& destination = fresh.Destination();
    std::wstring aside;
    if (checked.IsOpen()) {
        if ((result.error = MoveAside(checked, destination, aside))) return result;
    }
    result.error = fresh.CommitWhereFree();
    if (result.error) {
        result.nameTaken = result.error == ERROR_ALREADY_EXISTS;
        if (checked.IsOpen() && RenameWhereFree(checked, destination)) result.checkedKeptAs = aside;
        return result;
    }
    // What cannot be deleted now stays under its temporary name, which a
    // later run clears.
    if (checked.IsOpen() && checked.DeleteAndClose()) checked.Close();
    return result;
}

}  // namespace tarnwick::fileio
