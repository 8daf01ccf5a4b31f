// The command line's words read in the process: what each form asks for,
// and the one sentence that refuses it. The exe's own tests keep what
// needs a process (the console, the exit code, the files).
#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick::cli {
namespace {

std::vector<std::wstring> ApplyWithValues(std::size_t count) {
    std::vector<std::wstring> words = {L"apply"};
    const FieldTexts defaults = DefaultFieldTexts();
    for (std::size_t i = 0; i < count; ++i) words.push_back(defaults[i % defaults.size()]);
    return words;
}

TEST(ParseArguments, ReadsEachFormAndRefusesWithOneSentence) {
    const struct {
        std::vector<std::wstring> words;
        Command command;
        std::wstring gameDir;
        std::wstring fromFile;  // empty: no --from
        std::wstring error;     // empty: understood
    } rows[] = {
        // Commands, matched without regard to case.
        {{L"status"}, Command::Status, L"", L"", L""},
        {{L"Restore"}, Command::Restore, L"", L"", L""},
        {{L"apply", L"--from", L"values.cfg"}, Command::Apply, L"", L"values.cfg", L""},
        {{L"APPLY", L"--FROM=values.cfg"}, Command::Apply, L"", L"values.cfg", L""},
        // --game-dir as two words or with "=", before or after the command.
        {{L"status", L"--game-dir", L"D:\\Games"}, Command::Status, L"D:\\Games", L"", L""},
        {{L"--game-dir=D:\\Games\\.", L"restore"}, Command::Restore, L"D:\\Games\\.", L"", L""},
        // Every spelling of the help wins over what else is there, even a
        // mistake; then --version.
        {{L"--help"}, Command::Help, L"", L"", L""},
        {{L"/?"}, Command::Help, L"", L"", L""},
        {{L"status", L"-H"}, Command::Help, L"", L"", L""},
        {{L"help"}, Command::Help, L"", L"", L""},
        {{L"nonsense", L"/help"}, Command::Help, L"", L"", L""},
        {{L"--version", L"-?"}, Command::Help, L"", L"", L""},
        {{L"--version"}, Command::Version, L"", L"", L""},
        // Refusals, the first problem found.
        {{}, Command::Help, L"", L"", L"缺少命令：请写 status、apply 或 restore。"},
        {{L"patch"}, Command::Help, L"", L"", L"未知的命令“patch”：命令只有 status、apply 和 restore。"},
        {{L"status", L"--force"}, Command::Help, L"", L"", L"未知的选项“--force”。"},
        {{L"status", L"now"}, Command::Help, L"", L"", L"多余的参数“now”：status 后面不带参数。"},
        {{L"status", L"--game-dir"}, Command::Help, L"", L"", L"选项“--game-dir”后面缺少游戏目录。"},
        {{L"status", L"--game-dir="}, Command::Help, L"", L"", L"选项“--game-dir”后面的游戏目录是空的。"},
        {{L"status", L"--game-dir", L"a", L"--game-dir", L"b"}, Command::Help, L"", L"",
         L"选项“--game-dir”只能写一次。"},
        {{L"status", L"--from", L"values.cfg"}, Command::Help, L"", L"", L"选项“--from”只能和 apply 一起用。"},
        {{L"apply", L"-5"}, Command::Help, L"", L"", L"apply 后面要写 15 个数值，现在有 1 个。"},
    };
    for (const auto& row : rows) {
        std::wstring words;
        for (const std::wstring& word : row.words) words += word + L" ";
        SCOPED_TRACE(testing::PrintToString(words));
        const ParsedArguments parsed = ParseArguments(row.words);
        EXPECT_EQ(parsed.error, row.error);
        if (!row.error.empty()) continue;
        EXPECT_EQ(parsed.request.command, row.command);
        EXPECT_EQ(parsed.request.gameDir, row.gameDir);
        EXPECT_EQ(parsed.request.fromFile.value_or(L""), row.fromFile);
        EXPECT_FALSE(parsed.request.valuesGiven);
    }
}

// Fifteen values are the request's values; another count, or values beside
// --from, are refused.
TEST(ParseArguments, TakesExactlyFifteenValuesAfterApply) {
    const ParsedArguments parsed = ParseArguments(ApplyWithValues(kFieldCount));
    EXPECT_EQ(parsed.error, L"");
    EXPECT_TRUE(parsed.request.valuesGiven);
    EXPECT_EQ(parsed.request.values, DefaultFieldTexts());

    EXPECT_EQ(ParseArguments(ApplyWithValues(kFieldCount + 1)).error, L"apply 后面要写 15 个数值，现在有 16 个。");
    std::vector<std::wstring> both = ApplyWithValues(kFieldCount);
    both.insert(both.end(), {L"--from", L"values.cfg"});
    EXPECT_EQ(ParseArguments(both).error, L"apply 后面的数值和选项“--from”只能用一个。");
}

}  // namespace
}  // namespace tarnwick::cli
