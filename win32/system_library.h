#pragma once
// Entries of system libraries that the exe does not import, loaded at run
// time by their full path in the system folder. A library of the same name
// dropped next to the exe (the game folder) is therefore never loaded.
// oleaut32 and shell32 are taken from the system folder either way; they
// are loaded here only when first needed, because loading them (and what
// they load in turn) at every start costs start-up time while most runs
// never need them: shell32 alone takes about 2 ms under Wine, one to two
// per cent of the window's start.
#include <windows.h>

#include <string>

namespace tarnwick {

// The full path of a library in the system folder: "<system folder>\name",
// with ".dll" added when the name has no extension. Empty when the system
// folder cannot be read.
std::string SystemLibraryPath(const char* library);

// Whether the library is one that every process has loaded from its start
// (kernel32 and ntdll, with or without ".dll", in any case): asked for by
// its base name.
bool IsLoadedWithEveryProcess(const char* library);

// True when the library exports the entry. A library that is not loaded yet
// is loaded from the system folder only (by its full path), so a DLL of the
// same name beside the exe or in the current folder is never loaded, and it
// is released again afterwards; a loaded library is left alone.
bool ProcExists(const char* name, const char* library);

// The entry `name` of the library `fileName` (e.g. "msimg32.dll") from the
// system folder, or null when the library or the entry is missing. The
// library stays loaded for the life of the process; later calls for the
// same library reuse it.
FARPROC LoadSystemProc(const char* fileName, const char* name);

// msimg32's AlphaBlend, or null.
using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
AlphaBlendProc SystemAlphaBlend();

// oleaut32's OleTranslateColor, or null.
using OleTranslateColorProc = HRESULT(WINAPI*)(DWORD, HPALETTE, COLORREF*);
OleTranslateColorProc SystemOleTranslateColor();

// shell32's ShellExecuteW, or null.
using ShellExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
ShellExecuteProc SystemShellExecute();

// shell32's CommandLineToArgvW, or null.
using CommandLineToArgvProc = LPWSTR*(WINAPI*)(LPCWSTR, int*);
CommandLineToArgvProc SystemCommandLineToArgv();

// The entries that ask for one WM_MOUSELEAVE: user32's TrackMouseEvent,
// which every system since Windows 98 and NT 4 exports, and comctl32's
// _TrackMouseEvent, which posts the same notification where user32 has none.
using TrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
// Whether user32 exports TrackMouseEvent (ProcExists).
bool User32TracksMouse();
// user32's entry when `fromUser32` asks for it and user32 has it, else
// comctl32's; null when neither can be found.
TrackMouseEventProc MouseTrackingEntry(bool fromUser32);

// kernel32's GetTickCount64 (Windows Vista and later), or null.
using TickCount64Proc = ULONGLONG(WINAPI*)();
TickCount64Proc SystemGetTickCount64();

// kernel32's GetFinalPathNameByHandleW (Windows Vista and later), or null.
using FinalPathNameProc = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
FinalPathNameProc SystemGetFinalPathNameByHandle();

// ntdll's NtSetInformationFile, which sets a file's attributes or deletes it
// through its handle on every system from Windows XP on and under Wine
// (kernel32's SetFileInformationByHandle is missing on XP);
// NtQueryInformationFile, which reads one kind of a file's information
// through its handle without the rest (GetFileInformationByHandle also asks
// for the volume's serial number, which under Wine is a request to another
// process); and RtlNtStatusToDosError, which turns their status into a
// Win32 error; null when missing.
struct NtIoStatus {
    void* status;
    ULONG_PTR information;
};
using NtSetInformationFileProc = LONG(WINAPI*)(HANDLE, NtIoStatus*, void*, ULONG, int);
NtSetInformationFileProc SystemNtSetInformationFile();
using NtQueryInformationFileProc = LONG(WINAPI*)(HANDLE, NtIoStatus*, void*, ULONG, int);
NtQueryInformationFileProc SystemNtQueryInformationFile();
using NtStatusToErrorProc = ULONG(WINAPI*)(LONG);
NtStatusToErrorProc SystemNtStatusToError();

// ntdll's RtlGetVersion, which tells the system's real version and build
// (GetVersionEx answers what the program's manifest claims); null when
// missing.
using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
RtlGetVersionProc SystemRtlGetVersion();

// Wine's own kernel32 exports that translate between Windows and Unix file
// names, null on Windows. Both return a buffer from the process heap.
using WineUnixFileNameProc = char*(CDECL*)(const wchar_t*);
WineUnixFileNameProc WineUnixFileName();
using WineDosFileNameProc = wchar_t*(CDECL*)(const char*);
WineDosFileNameProc WineDosFileName();

}  // namespace tarnwick
