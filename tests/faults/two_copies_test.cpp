// Two copies of the real tool open in one game folder, their buttons
// clicked a moment apart. However the two operations interleave, the
// original game file is never lost: whenever the game file differs from
// it, the backup is it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>

#include "cli/exit_code.h"
#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

// The second copy reaches the folder by the same path, or by another
// spelling of it (standing in for a junction, a substituted drive, a
// network path or another machine).
class TwoCopies : public ToolFixture, public testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(Paths, TwoCopies, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OtherSpelling" : "SamePath"; });

TEST_P(TwoCopies, ClicksAMomentApartNeverLoseTheOriginal) {
    constexpr int kTries = 32;
    MakeGameFolder(GameVersion::V1_07);
    const std::wstring secondPath = GetParam() ? OtherSpelling(Folder()) : Folder();
    if (secondPath.empty()) GTEST_SKIP() << "no second spelling of a folder outside Wine";
    ASSERT_NO_FATAL_FAILURE(StartTool());
    ToolProcess second(ToolExePath(), secondPath);
    const DWORD ids[2] = {tool_->Id(), second.Id()};
    const HWND mains[2] = {main_, WaitForTopLevel(second.Id(), kFormClassName, L"Tarnwick")};
    ASSERT_TRUE(mains[1]);
    const auto button = [&](int copy, bool restore) {
        return GetDlgItem(mains[copy], restore ? main_layout::kRestoreButtonId : main_layout::kConfirmButtonId);
    };
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    std::mt19937 random(10);
    int endedRestored = 0;
    for (int t = 0; t < kTries && !HasFailure(); ++t) {
        SCOPED_TRACE(testing::Message() << "try " << t);
        // "还原" in one copy and "确认" in the other, or both the same. A
        // copy about to restore patches first, which enables its "还原".
        const bool restore[2] = {t % 4 == 0 || t % 4 == 3, t % 4 == 1 || t % 4 == 3};
        for (int i = 0; i < 2; ++i) {
            if (restore[i]) {
                ASSERT_EQ(test::ClickAndAnswer(ids[i], mains[i], button(i, false)), L"恭喜您修改成功");
            }
        }
        const int first = static_cast<int>(random() % 2);
        Click(button(first, restore[first]));
        // Up to 3 ms, spun: a Sleep would take a whole scheduler slice.
        QueryPerformanceCounter(&start);
        const long long wait = frequency.QuadPart * static_cast<long long>(random() % 3000) / 1000000;
        do QueryPerformanceCounter(&now); while (now.QuadPart - start.QuadPart < wait);
        Click(button(1 - first, restore[1 - first]));
        for (int i = 0; i < 2; ++i) {
            // Only the second of two "还原" may find the backup gone.
            const std::wstring text = AnswerNextMessageBox(ids[i]);
            EXPECT_TRUE(text == (restore[i] ? L"恭喜您还原成功" : L"恭喜您修改成功") ||
                        (restore[0] && restore[1] && text == L"还原文件丢失 还原失败"))
                << "copy " << i << ": " << testing::PrintToString(text);
        }
        const bool restored = Game() == pristine_;
        endedRestored += restored;
        ExpectFiles(restored ? pristine_ : Patched(), restored ? std::nullopt : std::optional(pristine_), CacheOf());
    }
    std::printf("    %d tries, %d ended with the original in place\n", kTries, endedRestored);
}

// A café's script applies values on the command line while a player
// presses "还原" in a window, each reaching the folder by another
// spelling. Whichever goes first, the original is never lost.
TEST_F(ToolFixture, CommandLineApplyAgainstAWindowsRestoreNeverLosesTheOriginal) {
    constexpr int kTries = 12;
    MakeGameFolder(GameVersion::V1_07);
    const std::wstring otherPath = OtherSpelling(Folder());
    if (otherPath.empty()) GTEST_SKIP() << "no second spelling of a folder outside Wine";
    ASSERT_NO_FATAL_FAILURE(StartTool());
    FieldTexts values = DefaultFieldTexts();
    values[9] = L"45";
    const std::wstring arguments = L"apply --game-dir \"" + otherPath + L"\" " + ValueArguments(values);
    std::mt19937 random(18);
    int endedRestored = 0;
    for (int t = 0; t < kTries && !HasFailure(); ++t) {
        SCOPED_TRACE(testing::Message() << "try " << t);
        // A backup for the window to put back.
        ASSERT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
        std::optional<CommandRun> script;
        if (t % 2 == 0) {
            // The script first; the click somewhere in its start-up.
            script.emplace(ToolExePath(), Folder(), arguments);
            Sleep(random() % 300);
        }
        Click(Restore());
        if (t % 2 == 1) script.emplace(ToolExePath(), Folder(), arguments);
        const std::wstring restoreText = AnswerNextMessageBox(tool_->Id());
        ASSERT_TRUE(script->Finish());
        // Either may find the other holding the folder; neither fails else.
        EXPECT_TRUE(restoreText == L"恭喜您还原成功" || SaysAll(restoreText, {L"本工具的另一个副本"}))
            << testing::PrintToString(restoreText);
        EXPECT_TRUE(script->exitCode == 0 || script->exitCode == static_cast<DWORD>(cli::ExitCode::InUse)) << script->exitCode;
        const bool restored = Game() == pristine_;
        const bool applied = script->exitCode == 0;
        // Whenever the game file is not the original, the backup is.
        if (!restored) {
            EXPECT_TRUE(BackupThere() && Backup() == pristine_) << "the original is lost";
        }
        ExpectFiles(restored ? pristine_ : Patched(applied ? values : DefaultFieldTexts()),
                    restored ? std::nullopt : std::optional(pristine_), CacheOf(applied ? values : DefaultFieldTexts()));
        endedRestored += restored;
    }
    std::printf("    %d tries, %d ended with the original in place\n", kTries, endedRestored);
}

}  // namespace
}  // namespace tarnwick::test
