#include "cli/commands.h"

#include "cli/joined_text.h"
#include "core/apply.h"
#include "core/file_io.h"
#include "core/messages.h"
#include "core/restore.h"
#include "core/settings_cache.h"
#include "core/version.h"

namespace tarnwick::cli {
namespace {

Reply Unchanged(ExitCode code, std::wstring_view text) { return {code, Joined({text, L"\n", kGameUnchangedText})}; }

// The values of a file in the settings cache's format, filled with the
// defaults where it has none, as the window fills its fields from it.
// Only a file that gives no value at all is refused: applying fifteen
// defaults nobody asked for would be no answer to a file that was meant.
std::optional<Reply> LoadValues(const GameFolder& folder, const Request& request, FieldTexts& values) {
    const bool named = request.fromFile.has_value();
    const std::wstring path = named ? *request.fromFile : folder.SettingsCacheFile();
    const std::wstring name = named ? *request.fromFile : DisplayName(folder, path);
    if (!FileExists(path)) {
        if (named) return Reply{ExitCode::UsageError, Joined({L"找不到数值文件“", name, L"”。"})};
        return Unchanged(ExitCode::FailedUnchanged,
                         Joined({L"游戏目录中没有 ", name, L"，没有记下的数值可以写入。请在 apply 后面写出 ",
                                 DecimalText(kFieldCount), L" 个数值，或用 --from 指定数值文件。"}));
    }
    CachedValues cached;
    if (DWORD error = ReadSettingsFile(path, cached)) {
        return Reply{ExitCode::FailedUnchanged,
                     FailureText(Action::Apply, OutcomeForError(error, path, false), name, error, kGameUnchangedText)};
    }
    bool any = false;
    for (const auto& value : cached) any = any || value.has_value();
    if (!any) {
        return Unchanged(named ? ExitCode::UsageError : ExitCode::FailedUnchanged,
                         Joined({name, L" 中没有任何数值。"}));
    }
    values = WithDefaults(cached);
    for (int i = 0; i < kFieldCount; ++i) {
        if (const std::optional<ValueProblem> problem = CheckFieldValue(i, values[i])) {
            return Unchanged(ExitCode::UsageError,
                             Joined({L"数值文件 ", name, L" 中的数值有误：", ValueProblemText(i, *problem, values[i])}));
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Reply> RefuseOutsideGameFolder(const GameFolder& folder) {
    if (FileExists(folder.GameFile())) return std::nullopt;
    return Reply{ExitCode::NotAGameFolder,
                 Joined({kNotInGameFolderText, L"\n", fileio::FullPath(folder.base), L" 中没有游戏文件 meteor.exe。"})};
}

Reply RunApply(const GameFolder& folder, const Request& request) {
    if (std::optional<Reply> refusal = RefuseOutsideGameFolder(folder)) return *refusal;
    FieldTexts values = request.values;
    if (!request.valuesGiven) {
        if (std::optional<Reply> refusal = LoadValues(folder, request, values)) return *refusal;
    }
    // Recognised now, as the window recognises it at start; ApplyPatch
    // refuses a file that has changed since.
    const Recognition recognition = RecogniseGameFile(folder.GameFile());
    if (const DWORD error = recognition.systemError) {
        return {ExitCode::FailedUnchanged, FailureText(Action::Apply, OutcomeForError(error, folder.GameFile(), true),
                                                       L"meteor.exe", error, kGameUnchangedText)};
    }
    const OperationResult result = ApplyPatch(folder, recognition.version, values);
    return {ExitCodeFor(result), result.message};
}

Reply RunRestore(const GameFolder& folder) {
    if (std::optional<Reply> refusal = RefuseOutsideGameFolder(folder)) return *refusal;
    const OperationResult result = RestoreGameFile(folder);
    return {ExitCodeFor(result), result.message};
}

}  // namespace tarnwick::cli
