#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/disk/sha256_blocks.h"

namespace tarnwick {
namespace {

using namespace sha256_blocks;

// The processor's instructions and the portable code must fold the same
// blocks into the same state, from any state, one block or many at a time.
TEST(Sha256Blocks, ShaInstructionsAgreeWithPortableCode) {
    if (!ProcessorHasShaInstructions()) GTEST_SKIP() << "no SHA instructions on this processor";
    std::vector<std::uint8_t> data(64 * 40);
    std::uint32_t seed = 12345;
    for (std::uint8_t& byte : data) byte = static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    for (std::size_t count : {1u, 2u, 7u, 40u}) {
        SCOPED_TRACE(count);
        std::array<std::uint32_t, 8> portable{}, instructions{};
        for (int i = 0; i < 8; ++i) portable[i] = instructions[i] = 0x9E3779B9u * (i + 1) + static_cast<std::uint32_t>(count);
        CompressPortable(portable.data(), data.data(), count);
        CompressWithShaInstructions(instructions.data(), data.data(), count);
        EXPECT_EQ(instructions, portable);
    }
}

}  // namespace
}  // namespace tarnwick
