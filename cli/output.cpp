#include "cli/output.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "core/text/codepage.h"
#include "form/message_box.h"
#include "win32/window_station.h"

namespace tarnwick::cli {
namespace {

std::wstring WithLineEnds(std::wstring_view text) {
    std::wstring lines;
    for (wchar_t c : text) {
        if (c == L'\n') lines += L'\r';
        lines += c;
    }
    return lines + L"\r\n";
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle && GetConsoleMode(handle, &mode);
}

bool WriteToConsole(HANDLE console, std::wstring_view text) {
    // In pieces: old consoles refuse a single write of more than 64 KB.
    constexpr std::size_t kPiece = 4096;
    while (!text.empty()) {
        DWORD written = 0;
        const DWORD count = static_cast<DWORD>(std::min(text.size(), kPiece));
        if (!WriteConsoleW(console, text.data(), count, &written, nullptr) || written == 0) return false;
        text.remove_prefix(written);
    }
    return true;
}

bool WriteToStream(HANDLE stream, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// The console of the parent process, attached to by now.
bool WriteToParentConsole(std::wstring_view text) {
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return false;
    const bool written = WriteToConsole(console, text);
    CloseHandle(console);
    return written;
}

// The text in UTF-8 with CR LF line ends, as it goes to a file or a pipe.
std::string RedirectedBytes(std::wstring_view text) {
    return WideToCodePage(WithLineEnds(text), CP_UTF8);
}

// The standard handle, or null where there is none that could be written.
HANDLE StandardHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

// A console handle passed on by the parent works once attached to its
// console; any other handle takes the bytes: a file, a pipe, or a
// character device (NUL).
bool Write(HANDLE handle, std::wstring_view text) {
    if (IsConsole(handle)) return WriteToConsole(handle, WithLineEnds(text));
    const DWORD type = GetFileType(handle);
    if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) return false;
    WriteToStream(handle, RedirectedBytes(text));
    return true;  // written or not, the text had its place
}

}  // namespace

void Deliver(std::wstring_view out, std::wstring_view err) {
    const HANDLE handles[] = {StandardHandle(STD_OUTPUT_HANDLE), StandardHandle(STD_ERROR_HANDLE)};
    const std::wstring_view texts[] = {out, err};
    // Files and pipes are written as they are; anything else may be a
    // console handle of the parent's that works only once attached.
    bool attach = false;
    bool redirected = false;
    for (HANDLE handle : handles) {
        const DWORD type = handle ? GetFileType(handle) : FILE_TYPE_UNKNOWN;
        redirected = redirected || type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR;
        attach = attach || (!IsConsole(handle) && type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE);
    }
    const bool attached = attach && AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    std::wstring unwritten;
    for (int i = 0; i < 2; ++i) {
        if (texts[i].empty() || (handles[i] && Write(handles[i], texts[i]))) continue;
        if (!unwritten.empty()) unwritten += L'\n';
        unwritten += texts[i];
    }
    if (unwritten.empty()) return;
    if (attached && WriteToParentConsole(WithLineEnds(unwritten))) return;
    // A box on a window station nobody sees would wait forever.
    if (!redirected && WindowStationIsVisible()) ShowMessageBoxAlone(unwritten);
}

}  // namespace tarnwick::cli
