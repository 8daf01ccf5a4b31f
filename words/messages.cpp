#include "words/messages.h"

#include "core/game/fields.h"
#include "words/joined_text.h"

namespace tarnwick {
namespace {

constexpr std::size_t kShownValueLength = 12;

std::wstring_view Prefix(Action action) {
    switch (action) {
        case Action::Apply: return L"修改失败";
        case Action::Restore: return L"还原失败";
        case Action::SaveNoticeSwitch: return L"保存提示设置失败";
    }
    return L"操作失败";
}

std::wstring ShownValue(std::wstring_view value) {
    if (value.size() <= kShownValueLength) return std::wstring(value);
    return std::wstring(value.substr(0, kShownValueLength)) + L"…";
}

// The field as the player sees it: "第2个“血值”", or "“时间”" for a caption
// that only one field has. Fields are counted in reading order, which is
// index order.
std::wstring FieldName(int field) {
    if (field < 0 || field >= kFieldCount) return L"数值";
    const std::wstring_view caption = kFields[field].caption;
    int ordinal = 0;
    int count = 0;
    for (int i = 0; i < kFieldCount; ++i) {
        if (kFields[i].caption != caption) continue;
        ++count;
        if (i <= field) ++ordinal;
    }
    // The caption without its full-width colon.
    std::wstring name = L"“" + std::wstring(caption.substr(0, caption.size() - 1)) + L"”";
    return count > 1 ? L"第" + DecimalText(static_cast<unsigned long>(ordinal)) + L"个" + name : name;
}

}  // namespace

std::wstring ValueProblemText(int field, ValueProblem problem, std::wstring_view value) {
    const std::wstring name = FieldName(field);
    switch (problem) {
        case ValueProblem::Empty: return name + L"没有填写数值。";
        case ValueProblem::NotDigits: return name + L"的数值“" + ShownValue(value) + L"”无效，只能填写数字。";
        case ValueProblem::FullWidthDigits:
            return name + L"的数值“" + ShownValue(value) + L"”是全角数字，只能填写半角数字（0～9）：请把输入法切换到半角或英文后再输入。";
        case ValueProblem::TooLong: {
            // The limit the check applies: what fits the field's slot in the
            // game file.
            const int digits = field >= 0 && field < kFieldCount ? kFields[field].slotDigits : 0;
            return name + L"的数值“" + ShownValue(value) + L"”太长，最多只能填写" +
                   DecimalText(static_cast<unsigned long>(digits)) + L"位数字。";
        }
    }
    return name + L"的数值无效。";
}

std::wstring InvalidValueText(int field, ValueProblem problem, std::wstring_view value) {
    const std::wstring_view again =
        problem == ValueProblem::Empty ? L"\n请填写数字后再点击“确认”。" : L"\n请修改后再点击“确认”。";
    return ValueProblemText(field, problem, value) + std::wstring(again);
}

std::wstring ProblemText(Outcome outcome, std::wstring_view fileName, unsigned long error) {
    const std::wstring name(fileName);
    const std::wstring gameFile(kGameFileName);
    switch (outcome) {
        case Outcome::GameFileMissing:
            // The tool found the file at start-up, so it was moved, renamed or
            // deleted since.
            return L"找不到游戏文件 " + gameFile + L"，它可能已被移走、改名或删除。\n"
                   L"请把 " + gameFile + L" 放回游戏安装目录（或重新安装游戏），然后再试。";
        case Outcome::GameFileDamaged:
            return L"游戏文件 " + gameFile + L" 不完整，比这个版本应有的长度短。\n请重新安装游戏后再试。";
        case Outcome::GameFileChanged:
            return L"游戏文件 " + gameFile + L" 在本工具启动后被换成了别的文件，和窗口里显示的版本不一样。\n"
                   L"请关闭并重新运行本工具，让它重新识别游戏版本。";
        case Outcome::GameFileInUse:
            return L"游戏文件 " + gameFile + L" 正在被使用。\n请先关闭游戏，然后再试。";
        case Outcome::FileInUse:
            // One of the tool's own files: most often a scanner checking it.
            return L"文件 " + name + L" 正在被其他程序使用（常见的是杀毒软件正在检查它）。\n"
                   L"请稍等片刻再试；如果总是这样，请关闭使用它的程序，或在杀毒软件中把游戏目录加入信任区（白名单）。";
        case Outcome::ReadOnly:
            return L"文件 " + name + L" 是只读的。\n请在该文件的“属性”中取消“只读”，然后再试。";
        case Outcome::ReadOnlyDisk:
            return L"游戏所在的磁盘是只读的，无法写入 " + name +
                   L"。\n请把游戏复制到可以写入的磁盘上（或取消磁盘的写保护），然后再试。";
        case Outcome::AccessDenied:
            return L"没有权限写入 " + name + L"。\n" + std::wstring(kRunAsAdministratorAdvice) +
                   L"\n如果游戏放在“桌面”“文档”等文件夹里，也可能是 Windows 安全中心的“勒索软件防护”挡住了本工具："
                   L"请在“允许应用通过受控制文件夹访问”中添加本工具，或把游戏移到别的文件夹。";
        case Outcome::FileBeingChecked:
            return L"文件 " + name + L" 正被其他程序打开检查（多半是杀毒软件在扫描刚写入的文件），"
                   L"本工具等了两秒仍然无法替换或删除它。\n"
                   L"请稍等片刻再试；如果每次都这样，请在杀毒软件中把游戏目录加入信任区（白名单）。";
        case Outcome::CreationBlocked:
            return L"无法在游戏目录中创建或改写 " + name + L"：文件夹是存在的，Windows 却不让本工具在里面新建或改写文件，"
                   L"多半是 Windows 安全中心的“勒索软件防护”（受控制文件夹访问）在保护这个文件夹，以管理员身份运行也没有用。\n"
                   L"请打开“Windows 安全中心 → 病毒和威胁防护 → 勒索软件防护”，在“允许应用通过受控制文件夹访问”中添加本工具，"
                   L"或者把游戏移到不受保护的文件夹（如 D:\\Games），然后再试。";
        case Outcome::WrittenFileRemoved:
            return L"文件 " + name + L" 在本工具处理它的时候被其他程序删除、移走或换掉了（多半是杀毒软件）。\n"
                   L"请稍等片刻再试；如果每次都这样，请在杀毒软件中把游戏目录加入信任区（白名单）。";
        case Outcome::NotAFolder:
            return L"游戏目录中的 " + name + L" 应该是文件夹，现在却是一个同名文件。\n"
                   L"请把这个文件改名或移到别处，然后再试。";
        case Outcome::NotAFile:
            return L"游戏目录中的 " + name + L" 应该是文件，现在却是一个同名文件夹。\n"
                   L"请把这个文件夹改名或移到别处，然后再试。";
        case Outcome::GameFileHardLinked:
            return L"游戏文件 " + gameFile + L" 和其他位置的文件是同一个文件（硬链接）：修改或替换它会同时改动别处的游戏，"
                   L"本工具不处理这样的文件。\n请把 " + gameFile + L" 复制一份，删除原来的 " + gameFile + L"，"
                   L"再把复制出的文件改名为 " + gameFile + L"，然后再试。";
        case Outcome::GameFileLinked:
            return L"游戏文件 " + gameFile + L" 是指向其他位置的链接（符号链接或联接点）：修改或替换它会改动别处的游戏，"
                   L"本工具不处理这样的文件。\n请把链接指向的游戏文件复制到游戏目录中，替换这个链接，然后再试。";
        case Outcome::GameFileReplaced:
            return L"游戏文件 " + gameFile + L" 在写入时被其他程序删除或换掉了，现在的 " + gameFile + L" 不是本工具写入的文件。\n"
                   L"请关闭正在更新或改动游戏的程序，确认游戏文件完好（必要时重新安装游戏），然后再试。";
        case Outcome::NotOwnFile:
            return L"游戏目录中的 " + name +
                   L" 不是本工具自己的文件：它是指向别处的链接、另一个文件的别名，或者里面有别的内容。"
                   L"本工具不会使用、改写或删除它。\n请确认它没有用处后把它移到别处，然后再试。";
        case Outcome::ToolBusy:
            return L"本工具的另一个副本（窗口或命令行）正在修改或还原这个游戏目录中的文件。\n请等它完成，然后再试。";
        case Outcome::LockFailed:
            return L"无法锁定游戏目录（错误代码 " + DecimalText(error) +
                   L"），为了不让两个程序同时改动游戏文件，本工具没有进行任何操作。\n请关闭本工具后重新运行，然后再试。";
        case Outcome::BackupNotOriginal:
            return L"备份文件 " + name + L" 不是原版游戏文件：它本身已经被修改过，用它还原也得不到原版。\n"
                   L"如需原版游戏文件，请重新安装游戏。";
        case Outcome::BackupIsGameFile:
            return L"备份文件 " + name + L" 和游戏文件 " + gameFile + L" 是同一个文件（硬链接），它不是真正的备份，不能用它还原。\n"
                   L"如需原版游戏文件，请重新安装游戏。";
        case Outcome::BackupDamaged:
            return L"备份文件 " + name + L" 已损坏：它不完整、在本工具写入后被改动过，或者不是本工具认识的游戏文件，"
                   L"不能用它还原。\n"
                   L"如需原版游戏文件，请重新安装游戏。";
        case Outcome::BackupOtherGame:
            return Joined({L"备份文件 ", name, L" ", kOtherGameOriginalText, L"，和 ", kGameFileName,
                           L" 不是同一个游戏，用它还原会换掉别的游戏文件。\n如需原版游戏文件，请重新安装游戏，或见说明中的“文件在哪里”。"});
        case Outcome::BackupUnverifiable:
            return Joined({L"备份文件 ", name, L" 没有记录，而游戏文件 ", kGameFileName,
                           L" 不在或认不出版本，无法确认这个备份完整、是这个游戏文件的原版，不能用它还原。\n"
                           L"如需原版游戏文件，请重新安装游戏。"});
        case Outcome::BackupAsideTaken:
            return Joined({L"备份文件 ", kBackupFileName, L" ", kOtherGameOriginalText, L"，本工具不会覆盖它；本应把它改名为 ",
                           kBackupAsideFileName, L" 保存，但这个名字已经被占用。\n请把这两个文件移到别处保存，然后再试。"});
        case Outcome::DiskFull:
            return L"磁盘空间不足，无法写入 " + name + L"。\n请清理磁盘空间，然后再试。";
        default:
            return L"无法读写 " + name + L"（错误代码 " + DecimalText(error) +
                   L"）。\n请关闭游戏和其他可能使用它的程序，然后再试。";
    }
}

std::wstring OtherVersionText(std::wstring_view fileName, GameVersion backup, GameVersion game) {
    const std::wstring gameFile(kGameFileName);
    return L"还原失败：备份文件 " + std::wstring(fileName) + L" 是游戏 " + std::wstring(VersionName(backup)) +
           L" 版的文件，而现在的游戏文件 " + gameFile + L" 是 " + std::wstring(VersionName(game)) +
           L" 版，用它还原会把游戏换回另一个版本。\n如果确实要换回 " + std::wstring(VersionName(backup)) +
           L" 版，请先把 " + gameFile + L" 移到别处，再点击“还原”；否则这个备份已经用不上了，可以删除它。\n" +
           std::wstring(kBothKeptText);
}

std::wstring FailureText(Action action, Outcome outcome, std::wstring_view fileName, unsigned long error,
                         std::wstring_view stateNote) {
    std::wstring text = std::wstring(Prefix(action)) + L"：" + ProblemText(outcome, fileName, error);
    if (!stateNote.empty()) text += L"\n" + std::wstring(stateNote);
    return text;
}

std::wstring GameMayBeDamagedText(bool originalKept) {
    return originalKept ? L"游戏文件可能已损坏，请关闭游戏后点击“还原”恢复备份。"
                        : L"游戏文件可能已损坏，请关闭游戏后重新安装游戏。";
}

std::wstring BackupMovedAsideText() {
    return Joined({L"原来的备份 ", kBackupFileName, L" ", kOtherGameOriginalText, L"，已改名保存为 ", kBackupAsideFileName,
                   L"。"});
}

std::wstring BackupNotDeletedText(std::wstring_view fileName) {
    return L"备份文件 " + std::wstring(fileName) + L" 未能删除，可以稍后再删除它。";
}

std::wstring ValuesNotRememberedText(Outcome outcome, std::wstring_view fileName, unsigned long error) {
    return L"但这些数值没能记下来，下次启动时不会自动填入：" + ProblemText(outcome, fileName, error);
}

std::wstring VersionUnknownText(bool codePageInstalled) {
    // Appended piece by piece: a chain of + makes a temporary per piece.
    std::wstring text(kVersionUnknownText);
    if (!codePageInstalled) {
        text += L"\n";
        text += kCodePageMissingText;
        return text;
    }
    text += L"\n";
    text += VersionUnknownAdviceText();
    return text;
}

std::wstring VersionUnknownAdviceText() {
    std::wstring text = L"本工具只认识游戏的 1.07、1.08 和 9.07 版，";
    text += kGameFileName;
    text += L" 不是其中之一。";
    text += kGameUnchangedText;
    text += L"\n请确认这里是游戏的安装目录（";
    text += kGameFileName;
    text += L" 所在的文件夹）；如果 ";
    text += kGameFileName;
    text += L" 被其他工具改过或不完整，请用游戏安装程序中的原版 ";
    text += kGameFileName;
    text += L" 替换它（或重新安装游戏），然后再试。";
    return text;
}

std::wstring NoticeSwitchBusyText() {
    return std::wstring(Prefix(Action::SaveNoticeSwitch)) +
           L"：本工具的另一个副本正在保存提示设置或改动这个游戏目录中的文件。\n"
           L"请等它完成，然后再点击“不再提示此信息”。";
}

std::wstring NoGameFileText(std::wstring_view shown) {
    return Joined({kNotInGameFolderText, L"\n", shown, L" 中没有游戏文件 ", kGameFileName,
                   L"。\n请在游戏目录中运行本工具，或用 --game-dir 指定游戏目录。"});
}

std::wstring GameDirIsFileText(std::wstring_view shown) {
    return Joined({kNotInGameFolderText, L"\n", shown, L" 是一个文件，不是文件夹。\n"
                   L"--game-dir 后面请写游戏目录，也就是 ", kGameFileName, L" 所在的文件夹。"});
}

std::wstring GameFolderUnreachableText(std::wstring_view shown, unsigned long error) {
    return Joined({L"找不到或无法访问游戏目录 ", shown, L"（错误代码 ", DecimalText(error),
                   L"）。\n请检查 --game-dir 后面的路径；网络路径请确认网络已经连通、服务器已经开机，"
                   L"然后再试。\n",
                   kGameUnchangedText});
}

std::wstring GameFileUnreadableText(Outcome outcome, unsigned long error) {
    const std::wstring gameFile(kGameFileName);
    if (outcome == Outcome::GameFileInUse) {
        return L"游戏文件 " + gameFile + L" 正在被使用，无法识别游戏版本。\n请先关闭游戏，然后重新运行本工具。";
    }
    return L"无法读取游戏文件 " + gameFile + L"（错误代码 " + DecimalText(error) +
           L"），无法识别游戏版本。\n请关闭游戏和其他可能使用它的程序，然后重新运行本工具。";
}

}  // namespace tarnwick
