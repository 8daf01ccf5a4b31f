#include "cli/crash_guard.h"

#include <csignal>
#include <exception>

#include "cli/exit_code.h"

namespace tarnwick::cli {
namespace {

// Only what cannot fail in a damaged process: no heap, no text to format.
[[noreturn]] void EndNow() {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(ExitCode::InternalError));
    ExitProcess(static_cast<UINT>(ExitCode::InternalError));
}

void EndOnAbort(int) { EndNow(); }

// The unhandled-exception filter: ends the process with InternalError and
// never returns.
LONG WINAPI EndOnUnhandledException(EXCEPTION_POINTERS*) { EndNow(); }

}  // namespace

void EndWithInternalErrorOnCrash() {
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnUnhandledException);
    std::signal(SIGABRT, EndOnAbort);
    std::set_terminate(EndNow);
}

}  // namespace tarnwick::cli
