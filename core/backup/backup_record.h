#pragma once
// The record kept beside the backup, Data\bak\meteor.sum: the length and
// SHA-256 of the backup as the tool wrote it, so that a backup cut short,
// patched or otherwise changed since is never put back in place of the
// game file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/disk/file_io.h"
#include "core/disk/sha256.h"

namespace tarnwick {

struct BackupRecord {
    std::uint64_t size = 0;
    Sha256Digest digest{};

    bool Describes(std::uint64_t otherSize, const Sha256Digest& otherDigest) const {
        return size == otherSize && digest == otherDigest;
    }
};

// "size <decimal>\r\nsha256 <64 hex digits>\r\n".
std::string FormatBackupRecord(const BackupRecord& record);
// nullopt unless both lines are there and well formed.
std::optional<BackupRecord> ParseBackupRecord(std::string_view text);

// The record file's record; nullopt when there is none or it cannot be
// read as one, which leaves the backup to the checks for unrecorded ones.
std::optional<BackupRecord> ReadBackupRecord(const std::wstring& path);

// The record file open in `record`, read through that handle: held open,
// it is the very file later deleted or replaced. An empty handle (no
// record file) has none.
std::optional<BackupRecord> ReadBackupRecord(const fileio::File& record);

// Opens the record file at `path` to read and later replace or delete it,
// letting others only read it meanwhile. Nothing there (or a folder, which
// is no record) leaves `record` closed and is no error; a link of that name
// is kNotOwnFileError.
DWORD OpenBackupRecord(const std::wstring& path, fileio::File& record);

}  // namespace tarnwick
