#pragma once
// What every command gives back: an exit code and its text, one fact or
// result per line, the result for standard output, refusals, failures and
// warnings for standard error; and the refusal every command that looks at
// a game folder gives where there is no game.
#include <optional>
#include <string>

#include "cli/exit_code.h"
#include "core/disk/game_folder.h"

namespace tarnwick::cli {

struct Reply {
    ExitCode code = ExitCode::Success;
    std::wstring out;  // the result; lines separated by "\n"
    std::wstring err;  // refusals, failures and warnings; the same
};

// A command that did nothing, and says why on standard error.
Reply Refusal(ExitCode code, std::wstring text);

// The folder --game-dir names. A path to the game file itself (as a file
// manager's "copy as path" gives it) stands for the folder it is in; any
// other path is taken as it is.
std::wstring GameDirOf(const std::wstring& given);

// Where there is no meteor.exe the tool does nothing, as the window does
// (it shows only its message dialog then): a folder that cannot be found or
// reached ends with GameFolderUnreachable, a folder without the game, or a
// file named in place of a folder, with NotAGameFolder.
std::optional<Reply> RefuseOutsideGameFolder(const GameFolder& folder);

}  // namespace tarnwick::cli
