#pragma once
// The commands that change a game folder, apply and restore (status, which
// only reads, is in cli/status_command.h), and the reply every command
// gives: an exit code and its text, one fact or result per line, the
// result for standard output, refusals, failures and warnings for standard
// error. They run the window's own operations: the same checks, lock,
// backup rules and messages as "确认" and "还原".
#include <optional>
#include <string>

#include "cli/arguments.h"
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

// Where there is no meteor.exe the tool does nothing, as the window does
// (it shows only its message dialog then).
std::optional<Reply> RefuseOutsideGameFolder(const GameFolder& folder);

// apply: the request's values, or those of its --from file, or those of
// the folder's settings cache, written as "确认" writes them.
Reply RunApply(const GameFolder& folder, const Request& request);
// restore: as "还原".
Reply RunRestore(const GameFolder& folder);

}  // namespace tarnwick::cli
