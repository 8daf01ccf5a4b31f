#include "core/disk/file_stamp.h"

namespace tarnwick::fileio {

FileStamp StampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileStamp stamp;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        stamp.error = GetLastError();
        if (stamp.error == 0) stamp.error = ERROR_FILE_NOT_FOUND;
        return stamp;
    }
    stamp.error = 0;
    stamp.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    stamp.lastWrite = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

}  // namespace tarnwick::fileio
