#include "core/disk/sha256.h"

#include <algorithm>
#include <cstring>

#include "core/disk/sha256_blocks.h"

namespace tarnwick {

Sha256::Sha256()
    : state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256::Add(std::span<const std::uint8_t> bytes) {
    totalSize_ += bytes.size();
    std::size_t at = 0;
    if (pendingSize_ > 0) {
        const std::size_t take = std::min(bytes.size(), pending_.size() - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, bytes.data(), take);
        pendingSize_ += take;
        at = take;
        if (pendingSize_ < pending_.size()) return;
        sha256_blocks::CompressBlocks(state_.data(), pending_.data(), 1);
        pendingSize_ = 0;
    }
    const std::size_t blocks = (bytes.size() - at) / 64;
    if (blocks > 0) sha256_blocks::CompressBlocks(state_.data(), bytes.data() + at, blocks);
    at += blocks * 64;
    std::memcpy(pending_.data(), bytes.data() + at, bytes.size() - at);
    pendingSize_ = bytes.size() - at;
}

Sha256Digest Sha256::Finish() {
    const std::uint64_t bits = totalSize_ * 8;
    const std::uint8_t one = 0x80;
    Add({&one, 1});
    const std::uint8_t zero = 0;
    while (pendingSize_ != 56) Add({&zero, 1});
    std::uint8_t length[8];
    for (int i = 0; i < 8; ++i) length[i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
    Add(length);
    Sha256Digest digest;
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (24 - 8 * j));
    }
    return digest;
}

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes) {
    Sha256 hash;
    hash.Add(bytes);
    return hash.Finish();
}

std::string DigestText(const Sha256Digest& digest) {
    std::string text;
    for (std::uint8_t byte : digest) {
        text += "0123456789abcdef"[byte >> 4];
        text += "0123456789abcdef"[byte & 15];
    }
    return text;
}

}  // namespace tarnwick
