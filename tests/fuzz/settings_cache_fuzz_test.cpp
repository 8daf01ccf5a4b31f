// The settings cache reader over generated and mutated files, compared
// with the plain model: split lines, decode with code page 936, drop three
// characters.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "core/disk/game_folder.h"
#include "core/stored/settings_cache.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/reference_models.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::test::fuzz {
namespace {

const std::vector<std::string> kLabels = {
    "\xD1\xAA\xD6\xB5\xA3\xBA",  // 血值：
    "\xCA\xB1\xBE\xD6\xA3\xBA",  // 时局：
    "\xBE\xD6\xB4\xCE\xA3\xBA",  // 局次：
    "\xCA\xB1\xBC\xE4\xA3\xBA",  // 时间：
    "\xC8\xCB\xCA\xFD\xA3\xBA",  // 人数：
};
const std::string kHeader = "\x5B\xC5\xE4\xD6\xC3\xBB\xBA\xB4\xE6\x5D";  // [配置缓存]

std::string DefaultCache() {
    const char* values[] = {"50", "100", "150", "200", "300", "1", "3", "5", "7", "10", "15", "21", "27", "30", "16"};
    const int labels[] = {0, 0, 0, 0, 0, 1, 1, 1, 2, 3, 1, 2, 2, 2, 4};
    std::string file = kHeader + "\r\n";
    for (int i = 0; i < 15; ++i) file += kLabels[labels[i]] + values[i] + "\r\n";
    return file;
}

// The first three characters of a value line, of every kind the reader
// must drop whatever they are.
std::string RandomLabel(Rng& rng) {
    std::string label;
    switch (rng.Below(6)) {
        case 0:
        case 1:
            return rng.Pick(kLabels);
        case 2:  // three characters of any width
            for (int i = 0; i < 3; ++i) AppendGbkChar(rng, label);
            return label;
        case 3:  // fewer than three
            for (std::uint32_t i = rng.Below(3); i > 0; --i) AppendGbkChar(rng, label);
            return label;
        case 4:  // a broken double-byte sequence among them
            AppendGbkChar(rng, label);
            AppendBrokenDoubleByte(rng, label);
            AppendGbkChar(rng, label);
            return label;
        default:  // a label cut inside its last character
            return rng.Pick(kLabels).substr(0, 5);
    }
}

std::string RandomValue(Rng& rng) {
    std::string value;
    const std::uint32_t kind = rng.Below(8);
    if (kind < 4) {  // digits, sometimes more than a field takes
        for (std::uint32_t i = rng.Below(7); i > 0; --i) value += static_cast<char>('0' + rng.Below(10));
    } else if (kind < 6) {
        for (std::uint32_t i = rng.Below(6); i > 0; --i) AppendGbkChar(rng, value);
    } else if (kind == 6) {  // digits, then a lead byte left at the line's end
        value = std::to_string(rng.Below(1000));
        AppendBrokenDoubleByte(rng, value);
    } else {
        const Bytes bytes = RandomBytes(rng, rng.Below(12));
        value.assign(bytes.begin(), bytes.end());
    }
    return value;
}

std::string RandomCacheFile(Rng& rng) {
    switch (rng.Below(10)) {
        case 0: {
            const Bytes bytes = RandomBytes(rng, rng.Below(300));
            return std::string(bytes.begin(), bytes.end());
        }
        case 1:
        case 2: {
            std::string file = DefaultCache();
            Mutate(rng, file, static_cast<int>(rng.Between(1, 4)));
            return file;
        }
        default: {
            std::string file;
            switch (rng.Below(4)) {
                case 0: break;  // empty header line
                case 1:
                    file.push_back('[');
                    file += RandomValue(rng);
                    file += ']';
                    break;
                default: file = kHeader; break;
            }
            const std::uint32_t lines = rng.OneIn(4) ? rng.Below(21) : 15;
            for (std::uint32_t i = 0; i < lines; ++i) {
                file += RandomLineEnd(rng);
                file += RandomLabel(rng) + RandomValue(rng);
            }
            if (!rng.OneIn(5)) file += RandomLineEnd(rng);
            return file;
        }
    }
}

std::string Describe(const std::optional<std::wstring>& value) {
    if (!value) return "nullopt";
    std::string text = "\"";
    text += HexUnits(*value);
    text += '"';
    return text;
}

// Compares one file's values with the model's; true when they agree.
bool SameAsModel(const CachedValues& got, std::string_view file, const std::string& what) {
    const auto expected = model::CacheValues(file);
    for (int i = 0; i < kFieldCount; ++i) {
        if (got[i] == expected[i]) continue;
        ADD_FAILURE() << what << ": field " << i << " is " << Describe(got[i]) << ", the model gives "
                      << Describe(expected[i]) << "\nfile: " << Hex(file);
        return false;
    }
    return true;
}

TEST(SettingsCacheFuzz, ParserAgreesWithTheModelOnGeneratedFiles) {
    Rng rng = Rng::ForTest("settings cache parse");
    const int kCases = 250000;
    Stopwatch watch;
    int mismatches = 0;
    for (int i = 0; i < kCases && mismatches < kMaxReportedMismatches; ++i) {
        const std::string file = RandomCacheFile(rng);
        if (!SameAsModel(ParseSettingsCache(file), file, "case " + std::to_string(i))) ++mismatches;
    }
    std::printf("[fuzz] settings cache: %d generated files parsed in %.2f s\n", kCases, watch.Seconds());
}

TEST(SettingsCacheFuzz, MegabyteLinesInEveryPosition) {
    Rng rng = Rng::ForTest("settings cache long lines");
    std::string longDigits(1 << 20, '7');
    std::string longText;
    while (longText.size() < (1u << 20)) AppendGbkChar(rng, longText);
    const std::string base = DefaultCache();
    const std::vector<std::string> lines = model::Lines(base);
    for (int line = 0; line < 17; ++line) {
        for (const std::string* filler : {&longDigits, &longText}) {
            SCOPED_TRACE(testing::Message() << "a 1 MB line as line " << line + 1);
            std::string file;
            for (int i = 0; i < 17; ++i) {
                if (i == line) file += lines.size() > 1 ? lines[1].substr(0, 6) + *filler : *filler;
                else if (static_cast<std::size_t>(i) < lines.size()) file += lines[i];
                file += "\r\n";
            }
            SameAsModel(ParseSettingsCache(file), file, "parsed");
        }
    }
}

// The reader on real files: what it returns for a file on disk is what the
// model returns for the file's whole contents.
TEST(SettingsCacheFuzz, ReaderOnRealFilesAgreesWithTheModel) {
    Rng rng = Rng::ForTest("settings cache files");
    TempFolder temp;
    const GameFolder folder{temp.Path()};
    CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
    const int kCases = 400;
    int mismatches = 0;
    Stopwatch watch;
    for (int i = 0; i < kCases && mismatches < kMaxReportedMismatches; ++i) {
        const std::string file = RandomCacheFile(rng);
        WriteFileBytes(folder.SettingsCacheFile(), Bytes(file.begin(), file.end()));
        if (!SameAsModel(ReadSettingsCache(folder), file, "file " + std::to_string(i))) ++mismatches;
    }
    std::printf("[fuzz] settings cache: %d files written and read in %.2f s\n", kCases, watch.Seconds());
}

// The reader on real files with megabyte lines and lines that cross every
// power-of-two boundary a reader might stop at. On a file far larger than
// a cache file (the tool writes about 140 bytes) the reader may stop
// early, leaving the fields it did not reach at nullopt; but a field it
// does fill must hold the whole value of its line, never a cut one.
TEST(SettingsCacheFuzz, ReaderOnRealFilesWithLongLines) {
    TempFolder temp;
    const GameFolder folder{temp.Path()};
    CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
    const std::string base = DefaultCache();
    std::vector<std::pair<std::string, std::string>> cases;
    const std::string megabyte(1 << 20, '9');
    cases.push_back({"1 MB header", megabyte + base.substr(base.find("\r\n"))});
    cases.push_back({"1 MB value in line 2", kHeader + "\r\n" + kLabels[0] + megabyte + base.substr(base.find("\r\n") + 2 + 8)});
    for (std::size_t boundary = 1 << 10; boundary <= (1u << 21); boundary <<= 1) {
        for (int shift : {-3, -2, -1, 0, 1, 2}) {
            // A header so long that line 9 ("局次：7") ends near the boundary.
            const std::size_t line9End = base.find("7\r\n") + 1;
            const std::size_t padding = boundary + static_cast<std::size_t>(shift) - line9End;
            std::string file = base;
            file.insert(1, padding, 'h');
            const std::string at = std::to_string(boundary) + (shift < 0 ? "" : "+") + std::to_string(shift);
            cases.push_back({"line 9 ending at " + at, file});
            std::string longer = file;
            longer.insert(longer.find("7\r\n", padding) + 1, "777");
            cases.push_back({"line 9 longer, across " + at, longer});
        }
    }
    int early = 0;
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        WriteFileBytes(folder.SettingsCacheFile(), Bytes(file.begin(), file.end()));
        const CachedValues got = ReadSettingsCache(folder);
        const auto expected = model::CacheValues(file);
        bool stoppedEarly = false;
        for (int i = 0; i < kFieldCount; ++i) {
            if (file.size() <= 16 * 1024 || got[i].has_value()) {
                EXPECT_EQ(Describe(got[i]), Describe(expected[i])) << "field " << i;
            } else {
                stoppedEarly = true;
            }
        }
        early += stoppedEarly;
    }
    std::printf("[fuzz] settings cache: %zu long-line files, %d of them read only in part\n", cases.size(), early);
}

}  // namespace
}  // namespace tarnwick::test::fuzz
