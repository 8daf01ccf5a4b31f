#include "cli/output.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "core/codepage.h"
#include "form/form.h"

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

}  // namespace

void Deliver(std::wstring_view text) {
    const std::wstring lines = WithLineEnds(text);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == INVALID_HANDLE_VALUE) out = nullptr;
    // A console handle of the process's own (under Wine started from a
    // terminal, or a console passed on by the parent).
    if (IsConsole(out)) {
        WriteToConsole(out, lines);
        return;
    }
    const DWORD type = out ? GetFileType(out) : FILE_TYPE_UNKNOWN;
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
        WriteToStream(out, RedirectedBytes(text));
        return;
    }
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    if (type == FILE_TYPE_CHAR) {
        // The parent's console handle works once attached to its console;
        // any other character device (NUL) takes the bytes.
        if (IsConsole(out) ? WriteToConsole(out, lines) : WriteToStream(out, RedirectedBytes(text))) return;
    }
    if (attached && WriteToParentConsole(lines)) return;
    ShowMessageBoxAlone(text);
}

}  // namespace tarnwick::cli
