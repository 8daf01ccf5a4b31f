#pragma once
// The command line's exit codes, one per kind of outcome. They rise with
// how much a script has to do about them: 0 and 1 changed what was asked,
// 2 to 6 changed nothing, and 7 may have left the game file damaged, so
// that "if errorlevel 7" in a batch file finds the one case that needs a
// restore.
#include "core/result.h"

namespace tarnwick::cli {

enum class ExitCode : int {
    Success = 0,
    ValuesNotRemembered = 1,   // patched, but Data\Slowlysave.cfg could not be written
    UsageError = 2,            // an argument or a value that no field takes
    NotAGameFolder = 3,        // no meteor.exe
    VersionNotRecognised = 4,  // or the game file changed between recognising and patching
    Busy = 5,                  // another copy of the tool held the folder
    FailedUnchanged = 6,       // failed; the game file is as it was
    FailedMayBeDamaged = 7,    // failed part-way; restore advised
};

ExitCode ExitCodeFor(const OperationResult& result);

}  // namespace tarnwick::cli
