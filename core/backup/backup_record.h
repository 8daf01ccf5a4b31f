#pragma once
// The record kept beside the backup, Data\bak\meteor.sum: the length and
// SHA-256 of the backup as the tool wrote it, so that a backup cut short,
// patched or otherwise changed since is never put back in place of the
// game file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace tarnwick
