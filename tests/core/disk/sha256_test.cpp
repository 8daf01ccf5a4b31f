#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

#include "core/disk/sha256.h"

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

}  // namespace
}  // namespace tarnwick
