#include "cli/apply_restore_commands.h"

#include "cli/values_file.h"
#include "core/disk/file_io.h"
#include "core/disk/path_problem.h"
#include "core/operations/apply.h"
#include "core/operations/restore.h"
#include "words/joined_text.h"
#include "words/messages.h"
#include "words/operation_text.h"
#include "words/values_file_text.h"

namespace tarnwick::cli {
namespace {

// A values file is fifteen short lines; a file of more than this is none.
constexpr std::size_t kMaxValuesFileBytes = 64 * 1024;

Reply Unchanged(ExitCode code, std::wstring_view text) { return Refusal(code, Joined({text, L"\n", kGameUnchangedText})); }

// The values of the --from file, or of the folder's settings cache (see
// values_file.h). A file that gives no value at all is refused: applying
// fifteen defaults nobody asked for would be no answer to a file that was
// meant, and so is a value that no field takes.
std::optional<Reply> LoadValues(const GameFolder& folder, const Request& request, FieldTexts& values) {
    const bool named = request.fromFile.has_value();
    const std::wstring path = named ? *request.fromFile : folder.SettingsCacheFile();
    const std::wstring name = named ? *request.fromFile : DisplayName(folder, path);
    // A folder, a device or a pipe by that name is there, but no file to
    // read (a pipe would not even open without a writer).
    DWORD attributes = 0;
    const DWORD attributeError = fileio::ExistingAttributes(path, attributes);
    const bool device = attributeError == ERROR_INVALID_PARAMETER || (named && fileio::NamesDevice(path));
    const bool folderThere = !attributeError && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (named && (device || folderThere)) {
        return Refusal(ExitCode::UsageErrorOrNoScreen,
                       ValuesFileErrorText({.problem = device ? ValuesFileProblem::Device : ValuesFileProblem::Folder, .name = name}));
    }
    // A folder where the settings cache belongs stands in the way: no cache
    // that is merely missing.
    if (folderThere) {
        return Refusal(ExitCode::FailedUnchanged, FailureText(Action::Apply, Outcome::NotAFile, name, ERROR_DIRECTORY,
                                                              kGameUnchangedText));
    }
    if (!fileio::FileExists(path)) {
        if (named) return Refusal(ExitCode::UsageErrorOrNoScreen, ValuesFileErrorText({.problem = ValuesFileProblem::Missing, .name = name}));
        return Unchanged(ExitCode::NothingToDo, ValuesFileErrorText({.problem = ValuesFileProblem::NoCache, .name = name}));
    }
    fileio::Bytes bytes;
    if (const DWORD error = fileio::ReadFilePrefix(path, kMaxValuesFileBytes + 1, bytes)) {
        return Refusal(ExitCode::FailedUnchanged, FailureText(Action::Apply, OutcomeForError(error, path, false), name,
                                                              error, kGameUnchangedText));
    }
    if (bytes.size() > kMaxValuesFileBytes) {
        return Unchanged(ExitCode::UsageErrorOrNoScreen, ValuesFileErrorText({.problem = ValuesFileProblem::TooLarge, .name = name}));
    }
    const std::wstring problem =
        ReadValuesOrRefusal(DecodeValuesFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())),
                   name, values);
    if (problem.empty()) return std::nullopt;
    return Unchanged(named ? ExitCode::UsageErrorOrNoScreen : ExitCode::FailedUnchanged, problem);
}

// An operation's result: a success on the output, with its warnings
// (values not remembered, no original kept) on the error output.
Reply ReplyFor(const OperationResult& result) {
    const ExitCode code = ExitCodeFor(result);
    if (!result.Succeeded()) return Refusal(code, CommandLineText(OperationText(result)));
    return {code, SuccessText(result), CommandLineText(WarningsText(result))};
}

}  // namespace

Reply RunApply(const GameFolder& folder, const Request& request) {
    if (std::optional<Reply> refusal = RefuseOutsideGameFolder(folder)) return *refusal;
    FieldTexts values = request.values;
    if (!request.valuesGiven) {
        if (std::optional<Reply> refusal = LoadValues(folder, request, values)) return *refusal;
    }
    // Whatever version the game file is of when apply reads it, inside the
    // folder's lock: there is no tag shown to compare it with.
    return ReplyFor(ApplyPatch(folder, std::nullopt, values));
}

Reply RunRestore(const GameFolder& folder) {
    if (std::optional<Reply> refusal = RefuseOutsideGameFolder(folder)) return *refusal;
    return ReplyFor(RestoreGameFile(folder));
}

}  // namespace tarnwick::cli
