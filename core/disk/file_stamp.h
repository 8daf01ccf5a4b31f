#pragma once
// What a name's attributes say of a file, read without opening it, so that
// a look at a file another program is about to open for writing without
// sharing (an updater, an unzip, a copy) never stands in its way. Two looks
// that give the same stamp saw the same size and last-write time.
#include <windows.h>

#include <cstdint>
#include <string>

namespace tarnwick::fileio {

// As StampOf gives it; a stamp made otherwise is all zero.
struct FileStamp {
    DWORD error = 0;  // 0 when the name was found
    bool folder = false;                 // the name is a folder
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;  // FILETIME as one number

    // A file (not a folder) stands under the name.
    bool IsFile() const { return error == 0 && !folder; }
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::wstring& path);

}  // namespace tarnwick::fileio
