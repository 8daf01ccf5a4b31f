#pragma once
// SHA-256 over bytes given in pieces, for the record kept beside the
// backup: a backup cut short, patched or damaged by another program no
// longer matches the digest taken when the tool wrote it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tarnwick {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    void Add(std::span<const std::uint8_t> bytes);
    // The digest of everything added; the object is spent afterwards.
    Sha256Digest Finish();

private:
    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalSize_ = 0;
};

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes);

// Lower-case hexadecimal, 64 characters.
std::string DigestText(const Sha256Digest& digest);

}  // namespace tarnwick
