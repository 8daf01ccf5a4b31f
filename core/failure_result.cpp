#include "core/failure_result.h"

#include "core/disk/path_problem.h"

namespace tarnwick {

OperationResult FailureResult(Action action, const GameFolder& folder, const std::wstring& path,
                              unsigned long error, Aftermath aftermath) {
    OperationResult result =
        OutcomeResult(action, OutcomeForError(error, path, path == folder.GameFile()), DisplayName(folder, path), aftermath);
    result.systemError = error;
    return result;
}

OperationResult OutcomeResult(Action action, Outcome outcome, std::wstring_view fileName, Aftermath aftermath) {
    OperationResult result;
    result.action = action;
    result.outcome = outcome;
    result.fileName = fileName;
    result.aftermath = aftermath;
    return result;
}

}  // namespace tarnwick
