// The notice switch file reader over generated and mutated files, compared
// with the plain model: line 2 decoded must read "信息：停用".
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "core/disk/game_folder.h"
#include "core/stored/notice_switch.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/reference_models.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::test::fuzz {
namespace {

const std::string kHeader = "\x5B\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC\x5D";   // [信息状态]
const std::string kOff = "\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3";      // 信息：停用
const std::string kOn = "\xD0\xC5\xCF\xA2\xA3\xBA\xC6\xF4\xD3\xC3";       // 信息：启用

std::string RandomLine(Rng& rng) {
    std::string line;
    switch (rng.Below(12)) {
        case 0:
        case 1:
        case 2:
            return kOff;
        case 3:
            return kOn;
        case 4:
            return kHeader;
        case 5:  // nearly "信息：停用"
            line = kOff;
            Mutate(rng, line, 1);
            return line;
        case 6:  // "信息：停用" and something after it
            line = kOff;
            if (rng.OneIn(2)) AppendBrokenDoubleByte(rng, line);
            else AppendGbkChar(rng, line);
            return line;
        case 7:  // cut inside its last character
            return kOff.substr(0, kOff.size() - 1 - rng.Below(3));
        case 8:
            return "";
        case 9: {
            const Bytes bytes = RandomBytes(rng, rng.Below(16));
            return std::string(bytes.begin(), bytes.end());
        }
        default:
            for (std::uint32_t i = rng.Below(8); i > 0; --i) AppendGbkChar(rng, line);
            return line;
    }
}

std::string RandomHintFile(Rng& rng) {
    if (rng.OneIn(12)) {
        const Bytes bytes = RandomBytes(rng, rng.Below(40));
        return std::string(bytes.begin(), bytes.end());
    }
    std::string file;
    const std::uint32_t lines = rng.Below(5);
    for (std::uint32_t i = 0; i < lines; ++i) {
        if (i) file += RandomLineEnd(rng);
        file += RandomLine(rng);
    }
    if (lines && !rng.OneIn(4)) file += RandomLineEnd(rng);
    if (rng.OneIn(8)) Mutate(rng, file, 1);
    return file;
}

TEST(NoticeSwitchFuzz, ReaderAgreesWithTheModelOnGeneratedFiles) {
    Rng rng = Rng::ForTest("hint file parse");
    const int kCases = 250000;
    int mismatches = 0;
    int switchedOff = 0;
    Stopwatch watch;
    for (int i = 0; i < kCases && mismatches < kMaxReportedMismatches; ++i) {
        const std::string file = RandomHintFile(rng);
        const bool expected = model::NoticeSwitchedOff(file);
        switchedOff += expected;
        if (ParseNoticeSwitchedOff(file) != expected) {
            ++mismatches;
            ADD_FAILURE() << "case " << i << ": the model says " << (expected ? "off" : "on")
                          << "\nfile: " << Hex(file);
        }
    }
    std::printf("[fuzz] switch file: %d generated files (%d switched off) in %.2f s\n", kCases, switchedOff,
                watch.Seconds());
    // The generator must reach both answers often, or the comparison says little.
    EXPECT_GT(switchedOff, kCases / 20);
    EXPECT_LT(switchedOff, kCases - kCases / 20);
}

TEST(NoticeSwitchFuzz, ReaderOnRealFilesAgreesWithTheModel) {
    Rng rng = Rng::ForTest("hint file files");
    TempFolder temp;
    const GameFolder folder{temp.Path()};
    CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
    const int kCases = 300;
    int mismatches = 0;
    for (int i = 0; i < kCases && mismatches < kMaxReportedMismatches; ++i) {
        const std::string file = RandomHintFile(rng);
        WriteFileBytes(folder.HintFile(), Bytes(file.begin(), file.end()));
        if (NoticeSwitchedOff(folder) != model::NoticeSwitchedOff(file)) {
            ++mismatches;
            ADD_FAILURE() << "file " << i << ": the model says " << (model::NoticeSwitchedOff(file) ? "off" : "on")
                          << "\nfile: " << Hex(file);
        }
    }
}

// Files with megabyte lines, and lines that cross every power-of-two
// boundary a reader might stop at. A reader may stop early on a file far
// larger than any switch file (the tool writes 24 bytes), and then shows
// the notice; but it must never switch the notice off unless line 2 is
// "信息：停用", and on files of up to 16 KB it must agree with the model.
TEST(NoticeSwitchFuzz, LongLinesOnRealFiles) {
    TempFolder temp;
    const GameFolder folder{temp.Path()};
    CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
    std::vector<std::pair<std::string, std::string>> cases;
    const std::string megabyte(1 << 20, 'x');
    cases.push_back({"1 MB first line, then off", megabyte + "\r\n" + kOff + "\r\n"});
    cases.push_back({"off, then a 1 MB line", kHeader + "\r\n" + kOff + "\r\n" + megabyte + "\r\n"});
    cases.push_back({"off followed by 1 MB on line 2", kHeader + "\r\n" + kOff + megabyte + "\r\n"});
    for (std::size_t boundary = 1 << 10; boundary <= (1u << 20); boundary <<= 1) {
        // Line 2 "信息：停用" ends just before, at or just after the
        // boundary; or more text follows it across the boundary.
        for (int shift : {-1, 0, 1, 2, 3}) {
            const std::size_t headerLength = boundary - kOff.size() - 2 + static_cast<std::size_t>(shift);
            const std::string header(headerLength, 'h');
            const std::string at = std::to_string(boundary) + (shift < 0 ? "" : "+") + std::to_string(shift);
            cases.push_back({"off ending at " + at, header + "\r\n" + kOff + "\r\n"});
            cases.push_back({"off then more, across " + at, header + "\r\n" + kOff + "XYZ\r\n"});
            cases.push_back({"off then a lone lead byte, across " + at, header + "\r\n" + kOff + "\xB0\r\n"});
            cases.push_back({"off without an ending, to " + at, header + "\r\n" + kOff});
        }
    }
    int early = 0;
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        WriteFileBytes(folder.HintFile(), Bytes(file.begin(), file.end()));
        const bool expected = model::NoticeSwitchedOff(file);
        const bool got = NoticeSwitchedOff(folder);
        if (file.size() <= 16 * 1024) {
            EXPECT_EQ(got, expected);
        } else {
            EXPECT_TRUE(expected || !got) << "switched off, but line 2 is not \"信息：停用\"";
            early += got != expected;
        }
    }
    std::printf("[fuzz] switch file: %zu long-line files, %d of them stopped short of line 2\n", cases.size(), early);
}

}  // namespace
}  // namespace tarnwick::test::fuzz
