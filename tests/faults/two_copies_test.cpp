// Two copies of the real tool open in one game folder, their buttons
// clicked a moment apart, as a player with two windows may do. However the
// two operations interleave, the original game file is never lost:
// whenever the game file differs from it, the backup is it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

class TwoCopies : public ToolFixture {};

struct Copy {
    DWORD id = 0;
    HWND main = nullptr;
    HWND Confirm() const { return GetDlgItem(main, main_layout::kConfirmButtonId); }
    HWND Restore() const { return GetDlgItem(main, main_layout::kRestoreButtonId); }
};

// Waits about `microseconds` without giving up the CPU, which would make
// the delay a whole scheduler slice.
void Spin(int microseconds) {
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    do {
        QueryPerformanceCounter(&now);
    } while ((now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart < microseconds);
}

TEST_F(TwoCopies, ClicksAMomentApartNeverLoseTheOriginal) {
    constexpr int kTries = 32;
    MakeGameFolder(GameVersion::V1_07);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    ToolProcess second(ToolExePath(), Folder());
    ASSERT_TRUE(second.Started());
    const Copy copies[2] = {{tool_->Id(), main_},
                            {second.Id(), WaitForTopLevel(second.Id(), kFormClassName, L"Tarnwick")}};
    ASSERT_TRUE(copies[1].main);

    std::mt19937 random(10);
    int restoredLast = 0;  // tries that ended with the pristine file in place
    for (int t = 0; t < kTries; ++t) {
        SCOPED_TRACE(testing::Message() << "try " << t);
        // The race of the fault: "还原" in one copy and "确认" in the other;
        // now and then both press the same button.
        const bool restores[4][2] = {{true, false}, {false, true}, {false, false}, {true, true}};
        const bool* restore = restores[t % 4];
        // A copy about to restore patches first, which enables its "还原"
        // and leaves a patched game file with its backup.
        for (int i = 0; i < 2; ++i) {
            if (restore[i]) {
                ASSERT_EQ(test::ClickAndAnswer(copies[i].id, copies[i].main, copies[i].Confirm()), L"恭喜您修改成功");
            }
        }
        const int first = static_cast<int>(random() % 2);
        const auto button = [&](int i) { return restore[i] ? copies[i].Restore() : copies[i].Confirm(); };
        Click(button(first));
        Spin(static_cast<int>(random() % 3000));
        Click(button(1 - first));
        for (int i = 0; i < 2; ++i) {
            const std::wstring text = AnswerNextMessageBox(copies[i].id);
            // Only a second "还原" may find the backup gone; nothing fails.
            const std::wstring expected = restore[i] ? L"恭喜您还原成功" : L"恭喜您修改成功";
            EXPECT_TRUE(text == expected || (restore[0] && restore[1] && text == L"还原文件丢失 还原失败"))
                << "copy " << i << ": " << testing::PrintToString(text);
        }

        const Bytes game = Game();
        if (game == pristine_) {
            ++restoredLast;
            ExpectFiles(pristine_, std::nullopt, CacheOf());
        } else {
            ExpectFiles(Patched(), pristine_, CacheOf());
        }
        if (HasFailure()) break;
    }
    std::printf("    %d tries: %d ended restored, %d ended patched\n", kTries, restoredLast, kTries - restoredLast);
}

}  // namespace
}  // namespace tarnwick::test
