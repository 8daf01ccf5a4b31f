#pragma once
// The command line's exit codes, one per kind of outcome. Every success is
// 0, whatever it warned about, so that "if errorlevel 1" in a batch file
// means that something was not done. The others rise with what a script
// has to do about them: 1 needed nothing done, 2 to 6 changed nothing
// (5 may work when tried again later), 7 may have left the game file
// damaged, so that "if errorlevel 7" finds the case that needs a restore.
// 8, a game folder that cannot be found or reached at all (a mistyped
// path, a server not yet up), comes after 7 because the codes below it
// were already in use: "if errorlevel 7" catches it too, so a batch tests
// it first (a restore there would change nothing anyway).
// A crash ends with 255, which no outcome uses, whether the shell reads
// the whole code (cmd.exe) or its low byte (a shell under Wine).
#include <windows.h>

#include <string>

#include "core/result.h"

namespace tarnwick::cli {

enum class ExitCode : int {
    Success = 0,               // done; warnings, if any, on standard error
    NothingToDo = 1,           // no backup to restore, no remembered values to apply
    // An argument or a value that no field takes; or, started without
    // arguments, a window station nobody sees, where the window would wait
    // for a click forever (a scheduled task run whether the user is logged
    // on or not).
    UsageErrorOrNoScreen = 2,
    NotAGameFolder = 3,        // no meteor.exe
    VersionNotRecognised = 4,  // or the game file changed between recognising and patching
    InUse = 5,                 // the game is running, a file is held, or another copy works there
    FailedUnchanged = 6,       // failed; the game file is as it was
    FailedMayBeDamaged = 7,    // failed part-way; restore advised
    GameFolderUnreachable = 8,  // the game folder cannot be found or reached
    InternalError = 255,       // the tool crashed, or Tarnwick.com found no Tarnwick.exe beside it
};

// The code for what an operation ended with: its outcome, unless it left
// the game file damaged.
ExitCode ExitCodeFor(Outcome outcome);
ExitCode ExitCodeFor(const OperationResult& result);

// The exit code of the process that did the work, as the console twin
// passes it on: a code of the table as it is, anything else (a crash's
// exception code, a process ended from outside) as InternalError.
DWORD ExitCodePassedOn(DWORD code);

// The exit codes from their table, one a line: "  7    失败，…", as --help
// lists them.
std::wstring ExitCodeLines();

}  // namespace tarnwick::cli
