// The digest and the record kept beside the backup.
#include <gtest/gtest.h>

#include <string>

#include "core/backup_record.h"
#include "core/sha256.h"

namespace tarnwick {
namespace {

std::span<const std::uint8_t> BytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Published test vectors, each also fed in uneven pieces that cross the
// 64-byte blocks.
TEST(Sha256, KnownDigestsWholeAndInPieces) {
    const struct {
        std::string text;
        const char* digest;
    } vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& v : vectors) {
        SCOPED_TRACE(v.text.size());
        EXPECT_EQ(DigestText(Sha256Of(BytesOf(v.text))), v.digest);
        Sha256 pieces;
        const std::span<const std::uint8_t> all = BytesOf(v.text);
        for (std::size_t at = 0, step = 1; at < all.size(); at += step, step = step * 3 % 127 + 1) {
            pieces.Add(all.subspan(at, std::min(step, all.size() - at)));
        }
        EXPECT_EQ(DigestText(pieces.Finish()), v.digest);
    }
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
