#include "cli/exit_code.h"

#include "core/text/decimal_text.h"

namespace tarnwick::cli {

ExitCode ExitCodeFor(const OperationResult& result) {
    return result.gameMayBeDamaged ? ExitCode::FailedMayBeDamaged : ExitCodeFor(result.outcome);
}

ExitCode ExitCodeFor(Outcome outcome) {
    switch (outcome) {
        case Outcome::Ok: return ExitCode::Success;
        case Outcome::BackupMissing: return ExitCode::NothingToDo;
        case Outcome::InvalidValue: return ExitCode::UsageError;
        case Outcome::GameFileMissing: return ExitCode::NotAGameFolder;
        case Outcome::VersionUnknown:
        case Outcome::GameFileChanged: return ExitCode::VersionNotRecognised;
        case Outcome::GameFileInUse:
        case Outcome::FileInUse:
        case Outcome::FileBeingChecked:
        case Outcome::ToolBusy: return ExitCode::InUse;
        case Outcome::GameFileDamaged:
        case Outcome::ReadOnly:
        case Outcome::ReadOnlyDisk:
        case Outcome::AccessDenied:
        case Outcome::CreationBlocked:
        case Outcome::DiskFull:
        case Outcome::NotAFolder:
        case Outcome::NotAFile:
        case Outcome::GameFileHardLinked:
        case Outcome::GameFileLinked:
        case Outcome::GameFileReplaced:
        case Outcome::NotOwnFile:
        case Outcome::LockFailed:
        case Outcome::BackupDamaged:
        case Outcome::BackupNotOriginal:
        case Outcome::BackupIsGameFile:
        case Outcome::BackupOtherVersion:
        case Outcome::BackupOtherGame:
        case Outcome::BackupUnverifiable:
        case Outcome::BackupAsideTaken:
        case Outcome::Failed: return ExitCode::FailedUnchanged;
    }
    return ExitCode::FailedUnchanged;
}

const ExitCodeMeaning kExitCodeMeanings[10] = {
    {ExitCode::Success, L"成功（有警告时写在标准错误上）"},
    {ExitCode::NothingToDo, L"没有要做的事：没有备份可以还原，或没有记下的数值；什么也没改"},
    {ExitCode::UsageError, L"参数或数值有误，什么也没做"},
    {ExitCode::NotAGameFolder, L"不是游戏目录（没有 meteor.exe），什么也没做"},
    {ExitCode::VersionNotRecognised, L"无法识别游戏版本，或游戏文件刚被换掉，什么也没做"},
    {ExitCode::InUse, L"游戏正在运行、文件被占用或另一个本工具在改：什么也没做，稍后再试"},
    {ExitCode::FailedUnchanged, L"失败，游戏文件没有改动"},
    {ExitCode::FailedMayBeDamaged, L"失败，游戏文件可能已损坏，请运行 restore"},
    {ExitCode::GameFolderUnreachable, L"找不到或无法访问游戏目录（网络未通、路径写错），什么也没做"},
    {ExitCode::InternalError, L"本工具内部出错"},
};

std::wstring ExitCodeLines() {
    std::wstring text;
    for (const ExitCodeMeaning& row : kExitCodeMeanings) {
        std::wstring number = DecimalText(static_cast<unsigned long>(row.code));
        number.resize(5, L' ');
        text += L"\n  " + number + row.meaning;
    }
    return text;
}

DWORD ExitCodePassedOn(DWORD code) {
    const bool inTable = code <= static_cast<DWORD>(ExitCode::GameFolderUnreachable);
    return inTable ? code : static_cast<DWORD>(ExitCode::InternalError);
}

}  // namespace tarnwick::cli
