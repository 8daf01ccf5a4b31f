// The record kept beside the backup.
#include <gtest/gtest.h>

#include <string>

#include "core/backup/backup_record.h"
#include "core/disk/sha256.h"

namespace tarnwick {
namespace {

std::span<const std::uint8_t> BytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(BackupRecord, ReadsWhatItWritesAndNothingMalformed) {
    const BackupRecord record{1900000, Sha256Of(BytesOf("abc"))};
    const std::string text = FormatBackupRecord(record);
    EXPECT_EQ(text, "size 1900000\r\nsha256 ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\r\n");
    const auto read = ParseBackupRecord(text);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->Describes(1900000, record.digest));
    EXPECT_FALSE(read->Describes(1899999, record.digest));
    const std::string digest = "sha256 ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    for (const std::string& bad : {std::string(""), std::string("size 12\r\n"), digest, "size x1\r\n" + digest,
                                   "size 12\r\n" + digest.substr(0, digest.size() - 1), "size 12\r\nsha256 " +
                                   std::string(64, 'g')}) {
        EXPECT_FALSE(ParseBackupRecord(bad)) << bad;
    }
}

}  // namespace
}  // namespace tarnwick
