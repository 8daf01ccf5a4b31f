// The settings cache, byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/stored/settings_cache.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

// Labels in code page 936, as the file format lists them.
const std::string kBlood = "\xD1\xAA\xD6\xB5\xA3\xBA";   // 血值：
const std::string kRound = "\xCA\xB1\xBE\xD6\xA3\xBA";   // 时局：
const std::string kCount = "\xBE\xD6\xB4\xCE\xA3\xBA";   // 局次：
const std::string kTime = "\xCA\xB1\xBC\xE4\xA3\xBA";    // 时间：
const std::string kPlayers = "\xC8\xCB\xCA\xFD\xA3\xBA"; // 人数：
const std::string kCacheHeader = "\x5B\xC5\xE4\xD6\xC3\xBB\xBA\xB4\xE6\x5D";

const std::string kDefaultCache = kCacheHeader + "\r\n" + kBlood + "50\r\n" + kBlood + "100\r\n" + kBlood +
                                  "150\r\n" + kBlood + "200\r\n" + kBlood + "300\r\n" + kRound + "1\r\n" + kRound +
                                  "3\r\n" + kRound + "5\r\n" + kCount + "7\r\n" + kTime + "10\r\n" + kRound +
                                  "15\r\n" + kCount + "21\r\n" + kCount + "27\r\n" + kCount + "30\r\n" + kPlayers +
                                  "16\r\n";

GameFolder FolderAt(const test::TempFolder& temp) { return GameFolder{temp.Path()}; }

TEST(SettingsCache, DefaultValuesFormatByteForByteAndReadBack) {
    EXPECT_EQ(FormatSettingsCache(DefaultFieldTexts()), kDefaultCache);
    const CachedValues values = ParseSettingsCache(kDefaultCache);
    for (int i = 0; i < kFieldCount; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(values[i].has_value());
        EXPECT_EQ(*values[i], kFields[i].defaultText);
    }
}

TEST(SettingsCache, ParsingOddFiles) {
    std::string sixteenLines;
    for (int i = 0; i < 16; ++i) sixteenLines += "abc" + std::to_string(i) + "\r\n";
    const struct {
        const char* name;
        std::string bytes;
        int field;           // the field checked
        const wchar_t* value;  // nullptr: nullopt expected
    } cases[] = {
        {"label only gives an empty value", kCacheHeader + "\r\n" + kBlood + "\r\n", 0, L""},
        {"two letters give an empty value", "h\r\nab\r\n", 0, L""},
        {"three letters and a digit", "h\r\nabc7\r\n", 0, L"7"},
        {"any header is accepted", "[whatever]\r\n" + kBlood + "42\r\n", 0, L"42"},
        {"a long value is kept whole", "h\r\n" + kBlood + "1234\r\n", 0, L"1234"},
        {"sixteen characters are still loaded", "h\r\n" + kBlood + std::string(16, '9') + "\r\n", 0,
         L"9999999999999999"},
        {"seventeen leave the default", "h\r\n" + kBlood + std::string(17, '9') + "\r\n", 0, nullptr},
        {"half a million digits leave the default", "h\r\n" + kBlood + std::string(500000, '9') + "\r\n", 0,
         nullptr},
        {"lone LF endings", "h\n" + kBlood + "1\n" + kBlood + "22\n", 1, L"22"},
        {"lone CR endings", "h\r" + kBlood + "1\r" + kBlood + "33\r", 1, L"33"},
        {"last line without an ending", "h\r\n" + kBlood + "1\r\n" + kBlood + "44", 1, L"44"},
        {"empty line in between", "h\r\n\r\n" + kBlood + "55\r\n", 1, L"55"},
        {"the sixteenth line is the last field", sixteenLines, 14, L"15"},
        {"lines after the sixteenth are ignored", sixteenLines + "abc99\r\n", 14, L"15"},
        {"empty file", "", 0, nullptr},
        {"header only", kCacheHeader + "\r\n", 0, nullptr},
        {"five value lines leave the sixth field alone", kDefaultCache.substr(0, kDefaultCache.find(kRound)), 5,
         nullptr},
        {"a trailing line ending is no extra line", "h\r\n" + kBlood + "1\r\n", 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CachedValues values = ParseSettingsCache(c.bytes);
        if (c.value) {
            ASSERT_TRUE(values[c.field].has_value());
            EXPECT_EQ(*values[c.field], c.value);
        } else {
            EXPECT_FALSE(values[c.field].has_value());
        }
    }
    // A short file still gives the lines it has.
    const CachedValues five = ParseSettingsCache(kDefaultCache.substr(0, kDefaultCache.find(kRound)));
    EXPECT_EQ(five[4], std::optional<std::wstring>(L"300"));
}

// The cache as apply writes it gives the values back; a missing one gives
// none, so every field keeps its default.
TEST(SettingsCache, ReadGivesBackTheValuesWritten) {
    test::TempFolder temp;
    const GameFolder folder = FolderAt(temp);
    EXPECT_FALSE(ReadSettingsCache(folder)[0].has_value()) << "missing file";

    FieldTexts values = DefaultFieldTexts();
    values[0] = L"99";
    values[9] = L"1234";
    ASSERT_TRUE(CreateDirectoryW(folder.DataFolder().c_str(), nullptr));
    const std::string bytes = FormatSettingsCache(values);
    test::WriteFileBytes(folder.SettingsCacheFile(), test::Bytes(bytes.begin(), bytes.end()));
    const CachedValues read = ReadSettingsCache(folder);
    for (int i = 0; i < kFieldCount; ++i) EXPECT_EQ(read[i], std::optional<std::wstring>(values[i])) << i;
}

}  // namespace
}  // namespace tarnwick
