#include "core/backup/backup_record.h"

#include "core/disk/held_file_retry.h"
#include "core/disk/own_file.h"

#include "core/disk/file_io.h"
#include "core/text/decimal_text.h"
#include "core/text/text_lines.h"

namespace tarnwick {
namespace {

constexpr std::size_t kMaxRecordBytes = 4096;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::uint64_t> ParseSize(std::string_view digits) {
    if (digits.empty() || digits.size() > 15) return std::nullopt;
    std::uint64_t size = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        size = size * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return size;
}

std::optional<Sha256Digest> ParseDigest(std::string_view hex) {
    Sha256Digest digest;
    if (hex.size() != 2 * digest.size()) return std::nullopt;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = HexValue(hex[2 * i]);
        const int low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        digest[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return digest;
}

}  // namespace

std::string FormatBackupRecord(const BackupRecord& record) {
    std::string size;
    for (wchar_t c : DecimalText(static_cast<unsigned long>(record.size))) size += static_cast<char>(c);
    return "size " + size + "\r\nsha256 " + DigestText(record.digest) + "\r\n";
}

std::optional<BackupRecord> ParseBackupRecord(std::string_view text) {
    std::optional<std::uint64_t> size;
    std::optional<Sha256Digest> digest;
    for (std::string_view line : SplitLines(text)) {
        if (line.substr(0, 5) == "size ") size = ParseSize(line.substr(5));
        if (line.substr(0, 7) == "sha256 ") digest = ParseDigest(line.substr(7));
    }
    if (!size || !digest) return std::nullopt;
    return BackupRecord{*size, *digest};
}

std::optional<BackupRecord> ReadBackupRecord(const std::wstring& path) {
    fileio::Bytes bytes;
    if (fileio::ReadFilePrefix(path, kMaxRecordBytes, bytes)) return std::nullopt;
    return ParseBackupRecord(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<BackupRecord> ReadBackupRecord(const fileio::File& record) {
    if (!record.IsOpen()) return std::nullopt;
    std::uint64_t size = 0;
    if (record.Size(size) || size > kMaxRecordBytes) return std::nullopt;
    fileio::Bytes bytes(static_cast<std::size_t>(size));
    if (record.ReadAt(0, bytes.data(), bytes.size())) return std::nullopt;
    return ParseBackupRecord(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

DWORD OpenBackupRecord(const std::wstring& path, fileio::File& record) {
    record.Close();
    if (DWORD error = fileio::CheckOwnName(path)) return error;
    if (!fileio::FileExists(path)) return 0;
    DWORD error = fileio::RetryWhileHeld(path, [&] {
        return record.Open(path, GENERIC_READ | DELETE | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ);
    });
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
    if (error) return error;
    if (!fileio::NamesOwnFile(record, path)) {
        record.Close();
        return fileio::kNotOwnFileError;
    }
    return 0;
}

}  // namespace tarnwick
