#pragma once
// Seeded generators for the fuzz tests. One seed drives every test; it is
// printed at start and can be set with TARNWICK_FUZZ_SEED (decimal or 0x
// hex) to repeat a run. Each test mixes in its own salt, so a test run on
// its own (--gtest_filter) sees the same cases as in the full run.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test::fuzz {

using Bytes = std::vector<std::uint8_t>;

// The run's seed: TARNWICK_FUZZ_SEED if set, else a fixed default.
std::uint64_t RunSeed();

// splitmix64: small, fast and good enough to spread cases.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    // A generator for one test: the run's seed mixed with the test's salt.
    static Rng ForTest(std::string_view salt);

    std::uint64_t Next();
    // Uniform in [0, bound); bound 0 gives 0.
    std::uint32_t Below(std::uint32_t bound);
    // Uniform in [low, high].
    std::uint32_t Between(std::uint32_t low, std::uint32_t high) { return low + Below(high - low + 1); }
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 56); }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[Below(static_cast<std::uint32_t>(items.size()))];
    }

private:
    std::uint64_t state_;
};

Bytes RandomBytes(Rng& rng, std::size_t count);

// Code page 936 bytes of the kinds the text files meet: ASCII, valid
// double-byte characters, and broken sequences (a lead byte with no trail
// byte, a lead byte before a byte that is no trail byte, the single bytes
// 0x80 and 0xFF).
void AppendGbkChar(Rng& rng, std::string& out);
void AppendBrokenDoubleByte(Rng& rng, std::string& out);

// One line ending picked from CR LF, LF, CR, and LF CR (which is two).
std::string_view RandomLineEnd(Rng& rng);

// Random small edits: flip, drop, insert or duplicate bytes, cut the end.
void Mutate(Rng& rng, std::string& bytes, int edits);

// Hex dump of the first bytes, for failure messages.
std::string Hex(std::string_view bytes, std::size_t limit = 96);
std::string HexUnits(std::wstring_view units, std::size_t limit = 64);

// Wall-clock seconds since construction, for printed figures only.
class Stopwatch {
public:
    double Seconds() const;
    double Milliseconds() const { return Seconds() * 1000.0; }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Mismatches stop being reported after this many in one test, so a broken
// build does not print hundreds of thousands of failures.
inline constexpr int kMaxReportedMismatches = 5;

}  // namespace tarnwick::test::fuzz
