#include "win32/system_library.h"

#include <string>

namespace tarnwick {

namespace {

std::string SystemFolderPath(const char* fileName) {
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    return path + fileName;
}

}  // namespace

FARPROC LoadSystemProc(const char* fileName, const char* name) {
    std::string path = SystemFolderPath(fileName);
    if (path.empty()) return nullptr;
    // A module already loaded from that path is reused; otherwise it is
    // loaded once and kept: the entries are used for the process's life.
    HMODULE module = GetModuleHandleA(path.c_str());
    if (module == nullptr) module = LoadLibraryA(path.c_str());
    if (module == nullptr) return nullptr;
    return GetProcAddress(module, name);
}

AlphaBlendProc SystemAlphaBlend() {
    static AlphaBlendProc proc =
        reinterpret_cast<AlphaBlendProc>(LoadSystemProc("msimg32.dll", "AlphaBlend"));
    return proc;
}

OleTranslateColorProc SystemOleTranslateColor() {
    static OleTranslateColorProc proc =
        reinterpret_cast<OleTranslateColorProc>(LoadSystemProc("oleaut32.dll", "OleTranslateColor"));
    return proc;
}

ShellExecuteProc SystemShellExecute() {
    static ShellExecuteProc proc = reinterpret_cast<ShellExecuteProc>(LoadSystemProc("shell32.dll", "ShellExecuteW"));
    return proc;
}

TrackMouseEventProc SystemComctlTrackMouseEvent() {
    static TrackMouseEventProc proc =
        reinterpret_cast<TrackMouseEventProc>(LoadSystemProc("comctl32.dll", "_TrackMouseEvent"));
    return proc;
}

}  // namespace tarnwick
