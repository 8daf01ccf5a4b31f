#include "words/operation_text.h"

#include "words/messages.h"

namespace tarnwick {
namespace {

void AddLine(std::wstring& text, std::wstring_view line) {
    if (!text.empty()) text += L"\n";
    text += line;
}

}  // namespace

std::wstring AftermathText(Aftermath aftermath) {
    switch (aftermath) {
        case Aftermath::NotTold: return {};
        case Aftermath::GameUnchanged: return std::wstring(kGameUnchangedText);
        case Aftermath::BothKept: return std::wstring(kBothKeptText);
        case Aftermath::BackupKept: return std::wstring(kBackupKeptText);
        case Aftermath::OnlyBackupKept: return std::wstring(kOnlyBackupKeptText);
        case Aftermath::RestoreIncomplete: return std::wstring(kRestoreIncompleteText);
        case Aftermath::GameMayBeDamaged: return GameMayBeDamagedText(true);
        case Aftermath::GameMayBeDamagedNoOriginal: return GameMayBeDamagedText(false);
    }
    return {};
}

std::wstring SuccessText(const OperationResult& result) {
    return std::wstring(result.action == Action::Restore ? kRestoreSucceededText : kPatchSucceededText);
}

std::wstring WarningsText(const OperationResult& result) {
    std::wstring text;
    if (result.noOriginalBackup) AddLine(text, kNoOriginalBackupText);
    if (result.backupMovedAside) AddLine(text, BackupMovedAsideText());
    if (result.valuesNotRemembered) {
        const FileProblem& problem = result.cacheProblem;
        AddLine(text, ValuesNotRememberedText(problem.outcome, problem.fileName, problem.systemError));
    }
    if (result.backupLeftBehind) AddLine(text, BackupNotDeletedText(result.fileName));
    return text;
}

std::wstring CommandLineText(std::wstring text) {
    const std::size_t at = text.find(kRunAsAdministratorAdvice);
    if (at != std::wstring::npos) text.replace(at, kRunAsAdministratorAdvice.size(), kCommandLineAdministratorAdvice);
    return text;
}

std::wstring OperationText(const OperationResult& result) {
    switch (result.outcome) {
        case Outcome::Ok: {
            std::wstring text = SuccessText(result);
            const std::wstring warnings = WarningsText(result);
            if (!warnings.empty()) text += L"\n" + warnings;
            return text;
        }
        case Outcome::VersionUnknown: return VersionUnknownText(result.codePageInstalled);
        case Outcome::InvalidValue: return InvalidValueText(result.field, result.valueProblem, result.value);
        case Outcome::BackupMissing: return std::wstring(kBackupMissingText);
        case Outcome::BackupOtherVersion:
            return OtherVersionText(result.fileName, result.backupVersion, result.gameVersion);
        case Outcome::ToolBusy:
            if (result.action == Action::SaveNoticeSwitch) return NoticeSwitchBusyText();
            break;
        default: break;
    }
    std::wstring text = FailureText(result.action, result.outcome, result.fileName, result.systemError,
                                    AftermathText(result.aftermath));
    // A failed apply that could not give the moved backup its name back
    // says where it is.
    if (result.backupMovedAside) text += L"\n" + BackupMovedAsideText();
    return text;
}

}  // namespace tarnwick
