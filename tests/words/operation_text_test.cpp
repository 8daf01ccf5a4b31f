// The words for an operation's outcome and facts: each fact turns into its
// own line, in the order the player has always read them, and the command
// line's split into result and warnings adds up to the window's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/failure_result.h"
#include "words/operation_text.h"

namespace tarnwick {
namespace {

OperationResult Succeeded(Action action) {
    OperationResult result;
    result.action = action;
    return result;
}

TEST(OperationText, EachFactBecomesItsLineInOrder) {
    OperationResult allWarnings = Succeeded(Action::Apply);
    allWarnings.noOriginalBackup = allWarnings.backupMovedAside = allWarnings.valuesNotRemembered = true;
    allWarnings.cacheProblem = {Outcome::DiskFull, L"Data\\Slowlysave.cfg", 112};
    OperationResult leftBehind = Succeeded(Action::Restore);
    leftBehind.backupLeftBehind = true;
    leftBehind.fileName = L"Data\\bak\\meteor.bak";
    const struct {
        OperationResult result;
        std::wstring text;  // its text, "|" where a part is not compared
    } cases[] = {
        {Succeeded(Action::Apply), L"恭喜您修改成功"},
        {allWarnings,
         L"恭喜您修改成功\n但游戏目录中没有原版游戏文件的备份|\n原来的备份 Data\\bak\\meteor.bak |\n"
         L"但这些数值没能记下来，下次启动时不会自动填入：磁盘空间不足，无法写入 Data\\Slowlysave.cfg。|"},
        {leftBehind, L"恭喜您还原成功\n备份文件 Data\\bak\\meteor.bak 未能删除，可以稍后再删除它。"},
        {OutcomeResult(Action::Apply, Outcome::ToolBusy, L"", Aftermath::GameUnchanged),
         L"修改失败：本工具的另一个副本（窗口或命令行）正在修改或还原这个游戏目录中的文件。\n请等它完成，然后再试。\n"
         L"游戏文件没有改动。"},
        {OutcomeResult(Action::SaveNoticeSwitch, Outcome::ToolBusy, L""),
         L"保存提示设置失败：本工具的另一个副本正在保存提示设置或改动这个游戏目录中的文件。|"},
        {OutcomeResult(Action::Apply, Outcome::GameFileInUse, L"meteor.exe", Aftermath::GameMayBeDamaged),
         L"修改失败：游戏文件 meteor.exe 正在被使用。|\n游戏文件可能已损坏，请关闭游戏后点击“还原”恢复备份。"},
        {OutcomeResult(Action::Restore, Outcome::GameFileReplaced, L"meteor.exe", Aftermath::OnlyBackupKept),
         L"还原失败：游戏文件 meteor.exe 在写入时被其他程序删除或换掉了|\n备份文件仍然保留，可以稍后再点击“还原”。"},
    };
    for (const auto& c : cases) {
        const std::wstring text = OperationText(c.result);
        // "|" stands for text not compared; the pieces between come in order.
        std::size_t at = 0;
        std::size_t from = 0;
        for (bool first = true; from <= c.text.size(); first = false) {
            const std::size_t cut = std::min(c.text.find(L'|', from), c.text.size());
            const std::wstring piece = c.text.substr(from, cut - from);
            const std::size_t found = first ? (text.starts_with(piece) ? 0 : std::wstring::npos) : text.find(piece, at);
            ASSERT_NE(found, std::wstring::npos) << testing::PrintToString(piece) << testing::PrintToString(text);
            at = found + piece.size();
            from = cut + 1;
        }
        if (!c.text.ends_with(L"|")) {
            EXPECT_EQ(at, text.size()) << testing::PrintToString(text);
        }
        EXPECT_EQ(c.result.GameMayBeDamaged(), c.result.aftermath == Aftermath::GameMayBeDamaged);
        if (c.result.Succeeded()) {
            const std::wstring warnings = WarningsText(c.result);
            EXPECT_EQ(text, SuccessText(c.result) + (warnings.empty() ? L"" : L"\n" + warnings));
        }
    }
}

}  // namespace
}  // namespace tarnwick
