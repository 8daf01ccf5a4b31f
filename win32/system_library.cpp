#include "win32/system_library.h"

#include <string>

namespace tarnwick {
namespace {

constexpr char kUser32TrackMouseEvent[] = "TrackMouseEvent";

}  // namespace

std::string SystemLibraryPath(const char* library) {
    const UINT needed = GetSystemDirectoryA(nullptr, 0);
    if (needed == 0) return {};
    std::string path(needed, '\0');
    const UINT length = GetSystemDirectoryA(path.data(), needed);
    if (length == 0 || length >= needed) return {};
    path.resize(length);
    if (path.back() != '\\') path += '\\';
    path += library;
    const size_t nameStart = path.find_last_of('\\') + 1;
    if (path.find('.', nameStart) == std::string::npos) path += ".dll";
    return path;
}

bool IsLoadedWithEveryProcess(const char* library) {
    for (const char* name : {"kernel32", "kernel32.dll", "ntdll", "ntdll.dll"}) {
        if (lstrcmpiA(library, name) == 0) return true;
    }
    return false;
}

namespace {

// A system library's module: the one already loaded from the system folder,
// or that file loaded now (then `loadedHere`). Null when it is neither.
// kernel32 and ntdll are in every process before its first instruction,
// always the system's own, and asked for by their base name: a 32-bit
// process on 64-bit Windows has them recorded under SysWOW64, not under
// the system folder it is told.
HMODULE SystemModule(const char* library, bool& loadedHere) {
    loadedHere = false;
    if (IsLoadedWithEveryProcess(library)) return GetModuleHandleA(library);
    const std::string path = SystemLibraryPath(library);
    if (path.empty()) return nullptr;
    if (HMODULE module = GetModuleHandleA(path.c_str())) return module;
    HMODULE module = LoadLibraryA(path.c_str());
    loadedHere = module != nullptr;
    return module;
}

}  // namespace

bool ProcExists(const char* name, const char* library) {
    bool loadedHere = false;
    HMODULE module = SystemModule(library, loadedHere);
    if (module == nullptr) return false;
    const bool found = GetProcAddress(module, name) != nullptr;
    if (loadedHere) FreeLibrary(module);
    return found;
}

FARPROC LoadSystemProc(const char* fileName, const char* name) {
    // A module loaded here is kept: the entries are used for the process's
    // life.
    bool loadedHere = false;
    HMODULE module = SystemModule(fileName, loadedHere);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

namespace {

template <typename Proc>
Proc SystemProc(const char* fileName, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(LoadSystemProc(fileName, name)));
}

}  // namespace

AlphaBlendProc SystemAlphaBlend() {
    static const auto proc = SystemProc<AlphaBlendProc>("msimg32.dll", "AlphaBlend");
    return proc;
}

OleTranslateColorProc SystemOleTranslateColor() {
    static const auto proc = SystemProc<OleTranslateColorProc>("oleaut32.dll", "OleTranslateColor");
    return proc;
}

ShellExecuteProc SystemShellExecute() {
    static const auto proc = SystemProc<ShellExecuteProc>("shell32.dll", "ShellExecuteW");
    return proc;
}

TickCount64Proc SystemGetTickCount64() {
    static const auto proc = SystemProc<TickCount64Proc>("kernel32.dll", "GetTickCount64");
    return proc;
}

CommandLineToArgvProc SystemCommandLineToArgv() {
    static const auto proc = SystemProc<CommandLineToArgvProc>("shell32.dll", "CommandLineToArgvW");
    return proc;
}

bool User32TracksMouse() { return ProcExists(kUser32TrackMouseEvent, "User32"); }

TrackMouseEventProc MouseTrackingEntry(bool fromUser32) {
    static const auto user32 = SystemProc<TrackMouseEventProc>("user32.dll", kUser32TrackMouseEvent);
    if (fromUser32 && user32 != nullptr) return user32;
    static const auto comctl32 = SystemProc<TrackMouseEventProc>("comctl32.dll", "_TrackMouseEvent");
    return comctl32;
}

FinalPathNameProc SystemGetFinalPathNameByHandle() {
    static const auto proc = SystemProc<FinalPathNameProc>("kernel32.dll", "GetFinalPathNameByHandleW");
    return proc;
}

NtSetInformationFileProc SystemNtSetInformationFile() {
    static const auto proc = SystemProc<NtSetInformationFileProc>("ntdll.dll", "NtSetInformationFile");
    return proc;
}

NtQueryInformationFileProc SystemNtQueryInformationFile() {
    static const auto proc = SystemProc<NtQueryInformationFileProc>("ntdll.dll", "NtQueryInformationFile");
    return proc;
}

NtStatusToErrorProc SystemNtStatusToError() {
    static const auto proc = SystemProc<NtStatusToErrorProc>("ntdll.dll", "RtlNtStatusToDosError");
    return proc;
}

RtlGetVersionProc SystemRtlGetVersion() {
    static const auto proc = SystemProc<RtlGetVersionProc>("ntdll.dll", "RtlGetVersion");
    return proc;
}

WineUnixFileNameProc WineUnixFileName() {
    static const auto proc = SystemProc<WineUnixFileNameProc>("kernel32.dll", "wine_get_unix_file_name");
    return proc;
}

WineDosFileNameProc WineDosFileName() {
    static const auto proc = SystemProc<WineDosFileNameProc>("kernel32.dll", "wine_get_dos_file_name");
    return proc;
}

}  // namespace tarnwick
