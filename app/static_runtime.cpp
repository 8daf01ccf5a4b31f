// Two stand-ins for parts of the statically linked C and C++ runtime, linked
// into Tarnwick.exe as an object of its own (an archive member would not be
// picked, since nothing asks for these symbols before the runtime does).
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "win32/system_library.h"

namespace {

// GetTickCount64 exists from Windows Vista on. winpthread, which the C++
// runtime of this toolchain links in, calls it through the import table,
// and an exe importing it does not start on Windows XP at all ("the
// procedure entry point GetTickCount64 could not be located"). The import
// slot is defined here instead, pointing at a function that uses the
// system's GetTickCount64 where there is one and counts the wrap-arounds
// of the 32-bit GetTickCount otherwise. The state is plain globals: the
// tool has one thread, and winpthread only measures timeouts with it.
DWORD lastTicks = 0;
ULONGLONG wraps = 0;

ULONGLONG WINAPI TickCount64() {
    if (const tarnwick::TickCount64Proc system = tarnwick::SystemGetTickCount64()) return system();
    const DWORD now = GetTickCount();
    if (now < lastTicks) ++wraps;
    lastTicks = now;
    return (wraps << 32) | now;
}

}  // namespace

// The name the import library gives the slot of kernel32's GetTickCount64.
extern "C" {
extern ULONGLONG(WINAPI* const tarnwick_GetTickCount64_slot)() __asm__("__imp__GetTickCount64@0");
ULONGLONG(WINAPI* const tarnwick_GetTickCount64_slot)() = &TickCount64;
}

// The C++ runtime's default terminate handler prints the type of an
// uncaught exception to the standard error stream, which a GUI process does
// not have, and for that pulls in a whole symbol demangler (about 60 KB of
// the exe). Ending the process is all that is left to do either way.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
