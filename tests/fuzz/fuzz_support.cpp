#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace tarnwick::test::fuzz {
namespace {

constexpr std::uint64_t kDefaultSeed = 20240607;

std::uint64_t ReadSeed() {
    const char* text = std::getenv("TARNWICK_FUZZ_SEED");
    std::uint64_t seed = kDefaultSeed;
    const char* origin = "default";
    if (text && *text) {
        char* end = nullptr;
        const unsigned long long value = std::strtoull(text, &end, 0);
        if (end && *end == '\0') {
            seed = value;
            origin = "TARNWICK_FUZZ_SEED";
        } else {
            std::printf("[fuzz] TARNWICK_FUZZ_SEED=\"%s\" is not a number; using the default\n", text);
        }
    }
    std::printf("[fuzz] seed %llu (%s); set TARNWICK_FUZZ_SEED=%llu to repeat this run\n",
                static_cast<unsigned long long>(seed), origin, static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    return seed;
}

}  // namespace

std::uint64_t RunSeed() {
    static const std::uint64_t seed = ReadSeed();
    return seed;
}

Rng Rng::ForTest(std::string_view salt) {
    // FNV-1a of the salt, so tests draw from unrelated streams.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : salt) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return Rng(RunSeed() ^ hash);
}

std::uint64_t Rng::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t Rng::Below(std::uint32_t bound) {
    if (bound == 0) return 0;
    return static_cast<std::uint32_t>((Next() >> 32) % bound);
}

Bytes RandomBytes(Rng& rng, std::size_t count) {
    Bytes bytes(count);
    for (auto& byte : bytes) byte = rng.Byte();
    return bytes;
}

void AppendGbkChar(Rng& rng, std::string& out) {
    switch (rng.Below(4)) {
        case 0:  // printable ASCII
            out += static_cast<char>(rng.Between(0x20, 0x7E));
            break;
        case 1:  // a common hanzi (GB2312 level 1)
            out += static_cast<char>(rng.Between(0xB0, 0xD7));
            out += static_cast<char>(rng.Between(0xA1, 0xFE));
            break;
        default: {  // any GBK lead and trail byte
            out += static_cast<char>(rng.Between(0x81, 0xFE));
            std::uint32_t trail = rng.Between(0x40, 0xFE);
            if (trail == 0x7F) trail = 0x80;
            out += static_cast<char>(trail);
            break;
        }
    }
}

void AppendBrokenDoubleByte(Rng& rng, std::string& out) {
    const std::uint8_t lead = static_cast<std::uint8_t>(rng.Between(0x81, 0xFE));
    static const std::vector<std::uint8_t> notTrail = {0x00, 0x09, 0x20, 0x30, 0x3F, 0x7F, 0xFF};
    switch (rng.Below(4)) {
        case 0:  // lead byte alone (at a line's end it meets CR or LF)
            out += static_cast<char>(lead);
            break;
        case 1:  // lead byte before a byte that cannot follow it
            out += static_cast<char>(lead);
            out += static_cast<char>(rng.Pick(notTrail));
            break;
        case 2:
            out += '\x80';
            break;
        default:
            out += '\xFF';
            break;
    }
}

std::string_view RandomLineEnd(Rng& rng) {
    switch (rng.Below(8)) {
        case 0: return "\n";
        case 1: return "\r";
        case 2: return "\n\r";
        default: return "\r\n";
    }
}

void Mutate(Rng& rng, std::string& bytes, int edits) {
    static const std::vector<char> interesting = {'\r', '\n', '\0', '\x81', '\xA3', '\xFE', '\xFF', '?'};
    for (int i = 0; i < edits; ++i) {
        const std::uint32_t at = rng.Below(static_cast<std::uint32_t>(bytes.size() + 1));
        switch (rng.Below(6)) {
            case 0:
                if (at < bytes.size()) bytes[at] = static_cast<char>(bytes[at] ^ (1u << rng.Below(8)));
                break;
            case 1:
                if (at < bytes.size()) bytes.erase(at, 1);
                break;
            case 2:
                bytes.insert(bytes.begin() + at, rng.Pick(interesting));
                break;
            case 3:
                bytes.insert(bytes.begin() + at, static_cast<char>(rng.Byte()));
                break;
            case 4:
                if (at < bytes.size()) bytes.insert(bytes.begin() + at, bytes[at]);
                break;
            default:
                bytes.resize(at);
                break;
        }
    }
}

std::string Hex(std::string_view bytes, std::size_t limit) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (i) text += ' ';
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    if (bytes.size() > limit) text += " ... (" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

std::string HexUnits(std::wstring_view units, std::size_t limit) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < units.size() && i < limit; ++i) {
        const auto u = static_cast<unsigned>(units[i]);
        if (i) text += ' ';
        for (int shift = 12; shift >= 0; shift -= 4) text += digits[(u >> shift) & 15];
    }
    if (units.size() > limit) text += " ... (" + std::to_string(units.size()) + " units)";
    return text;
}

double Stopwatch::Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

}  // namespace tarnwick::test::fuzz
