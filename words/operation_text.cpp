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
    // The window's advice, and what a prompt or a script does instead.
    struct Advice {
        std::wstring_view window;
        std::wstring_view commandLine;
    };
    constexpr Advice kAdvice[] = {
        {kRunAsAdministratorAdvice, kCommandLineAdministratorAdvice},
        {L"点击“还原”", L"运行 restore"},
        {L"点击“确认”", L"运行 apply"},
    };
    for (const Advice& advice : kAdvice) {
        for (std::size_t at = text.find(advice.window); at != std::wstring::npos;
             at = text.find(advice.window, at + advice.commandLine.size())) {
            text.replace(at, advice.window.size(), advice.commandLine);
            // A command is a word of its own: a space sets it apart from
            // Chinese text that follows, as from the text before it.
            const std::size_t after = at + advice.commandLine.size();
            if (after < text.size() && std::wstring_view(L"，。；：、）\n").find(text[after]) == std::wstring_view::npos) {
                text.insert(after, L" ");
            }
        }
    }
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
