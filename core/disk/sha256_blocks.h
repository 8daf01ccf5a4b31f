#pragma once
// The SHA-256 compression function over whole 64-byte blocks, in two
// forms: portable C++, and the processor's SHA instructions, which hash a
// game file about seven times as fast. CompressBlocks picks the second
// where the processor has them.
#include <cstddef>
#include <cstdint>

namespace tarnwick::sha256_blocks {

// Folds `count` 64-byte blocks at `data` into the eight state words.
using CompressFunction = void (*)(std::uint32_t state[8], const std::uint8_t* data, std::size_t count);

void CompressPortable(std::uint32_t state[8], const std::uint8_t* data, std::size_t count);

// Only to be called where ProcessorHasShaInstructions() is true.
void CompressWithShaInstructions(std::uint32_t state[8], const std::uint8_t* data, std::size_t count);

// The SHA extensions together with the SSSE3 and SSE4.1 shuffles they are
// used with, asked of the processor once.
bool ProcessorHasShaInstructions();

// The fastest of the two on this processor.
void CompressBlocks(std::uint32_t state[8], const std::uint8_t* data, std::size_t count);

}  // namespace tarnwick::sha256_blocks
