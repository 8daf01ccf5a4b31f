#include "tests/support/tool_driver.h"

#include "core/text/codepage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarnwick::test {
namespace {

constexpr DWORD kPollMs = 10;
constexpr UINT kSendTimeoutMs = 5000;

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

// Sets the DPI setting that processes started from now on read, and puts
// the former value (or its absence) back when it goes.
class ScopedLogPixels {
public:
    explicit ScopedLogPixels(int dpi) {
        if (dpi <= 0 || RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD size = sizeof former_;
        hadValue_ = !RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&former_), &size);
        Set(static_cast<DWORD>(dpi));
    }
    ~ScopedLogPixels() {
        if (key_ && hadValue_) Set(former_);
        if (key_ && !hadValue_) RegDeleteValueW(key_, L"LogPixels");
        if (key_) RegCloseKey(key_);
    }

private:
    void Set(DWORD value) {
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    HKEY key_ = nullptr;
    DWORD former_ = 0;
    bool hadValue_ = false;
};

}  // namespace

std::wstring WinePathFromUnix(std::string_view unixPath) {
    // Unix file names are UTF-8.
    std::wstring path = L"Z:";
    for (wchar_t c : CodePageToWide(unixPath, CP_UTF8)) path += c == L'/' ? L'\\' : c;
    return path;
}

std::wstring ValueArguments(const std::array<std::wstring, 15>& values) {
    std::wstring text;
    for (const std::wstring& value : values) text += (text.empty() ? L"" : L" ") + value;
    return text;
}

std::wstring OtherSpelling(const std::wstring& windowsPath) {
    using UnixNameFn = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!toUnix) return L"";
    char* unixPath = toUnix(windowsPath.c_str());
    if (!unixPath) return L"";
    std::wstring spelling = WinePathFromUnix(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return spelling;
}

ToolProcess::ToolProcess(const std::wstring& exe, const std::wstring& folder, int dpi) {
    ScopedLogPixels setting(dpi);
    Start(exe, folder, L"", 0);
}

ToolProcess::ToolProcess(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments) {
    Start(exe, folder, L" " + arguments, DETACHED_PROCESS);
}

void ToolProcess::Start(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments,
                        DWORD flags) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\"" + arguments;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, folder.c_str(),
                        &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    WaitForInputIdle(process_, kWaitMs);
}

DWORD ToolProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

ToolProcess::~ToolProcess() {
    Kill();
    if (process_) CloseHandle(process_);
}

bool ToolProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool ToolProcess::WaitForExit(DWORD timeoutMs) {
    return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

void ToolProcess::Kill() {
    if (!Running()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kWaitMs);
}

namespace {

// A pipe whose write end the started process inherits; false when none.
bool InheritedPipe(HANDLE& read, HANDLE& write) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    if (!CreatePipe(&read, &write, &inherited, 1 << 16)) return false;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    return true;
}

void ReadToEnd(HANDLE pipe, std::string& into) {
    char chunk[4096];
    DWORD got = 0;
    while (pipe && ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) into.append(chunk, got);
}

}  // namespace

CommandRun::CommandRun(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments,
                       HANDLE sink) {
    HANDLE writeOutput = nullptr;
    HANDLE writeErrors = nullptr;
    if (!sink && !(InheritedPipe(readOutput_, writeOutput) && InheritedPipe(readErrors_, writeErrors))) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = sink ? sink : writeOutput;
    startup.hStdError = sink ? sink : writeErrors;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
    }
    if (writeOutput) CloseHandle(writeOutput);
    if (writeErrors) CloseHandle(writeErrors);
}

CommandRun::~CommandRun() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kWaitMs);
    }
    if (process_) CloseHandle(process_);
    if (readOutput_) CloseHandle(readOutput_);
    if (readErrors_) CloseHandle(readErrors_);
}

bool CommandRun::Finish(DWORD timeoutMs) {
    if (!process_) return false;
    // Until the process and every copy of the pipes' write ends are gone.
    // The tool writes its few lines of standard error last, so reading the
    // two in turn never leaves it waiting on a full pipe.
    ReadToEnd(readOutput_, output);
    ReadToEnd(readErrors_, errors);
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_, &exitCode);
    return true;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied)) {
        return L"<no answer>";
    }
    return std::wstring(text, std::min<size_t>(copied, 1023));
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (ProcessOf(window) == search->processId) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD timeoutMs) {
    HWND found = nullptr;
    PollUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId)) {
                if (match(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

HWND WaitForTopLevel(DWORD processId, std::string_view className, std::wstring_view title, DWORD timeoutMs) {
    return WaitForWindow(
        processId,
        [&](HWND window) {
            return IsWindowVisible(window) && ClassName(window) == className && WindowText(window) == title;
        },
        timeoutMs);
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    return PollUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::optional<MessageBoxSeen> FindMessageBox(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (!IsWindowVisible(window) || ClassName(window) != "#32770" || WindowText(window) != L"系统信息")
            continue;
        MessageBoxSeen box;
        box.window = window;
        box.owner = GetWindow(window, GW_OWNER);
        for (HWND child : Children(window)) {
            if (ClassName(child) != "Static") continue;
            std::wstring text = WindowText(child);
            if (!text.empty()) box.shown = text;
        }
        box.text = box.shown;
        for (size_t at; (at = box.text.find(L"\r\n")) != std::wstring::npos;) box.text.erase(at, 2);
        return box;
    }
    return std::nullopt;
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    std::optional<MessageBoxSeen> box;
    PollUntil(
        [&] {
            box = FindMessageBox(processId);
            return box.has_value();
        },
        timeoutMs);
    return box;
}

bool AnswerMessageBox(const MessageBoxSeen& box) {
    HWND ok = GetDlgItem(box.window, IDOK);
    if (!ok) return false;
    Click(ok);
    if (!WaitUntilGone(box.window)) return false;
    // The box is gone once its modal loop has ended; what the handler does
    // after it (enabling a button) is done when the owner's thread answers.
    return !box.owner || Sync(box.owner);
}

std::wstring AnswerNextMessageBox(DWORD processId, DWORD timeoutMs) {
    std::optional<MessageBoxSeen> box = WaitForMessageBox(processId, timeoutMs);
    if (!box) return L"";
    AnswerMessageBox(*box);
    return box->text;
}

std::wstring ClickAndAnswer(DWORD processId, HWND owner, HWND button) {
    Click(button);
    std::optional<MessageBoxSeen> box = WaitForMessageBox(processId);
    if (!box) return L"<no message box>";
    EXPECT_EQ(box->owner, owner) << "the box belongs to the main window";
    EXPECT_TRUE(AnswerMessageBox(*box));
    return box->text;
}

void TypeChars(HWND field, std::string_view chars) {
    for (char c : chars) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(field, WM_CHAR, static_cast<unsigned char>(c), 1, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &result);
    }
}

void SetText(HWND window, std::wstring_view text) {
    std::wstring copy(text);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &result);
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

bool ClickNow(HWND button, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

void ClickAt(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool Sync(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

bool SendTimerTick(HWND window, UINT_PTR timer) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_TIMER, timer, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) { return PollUntil(done, timeoutMs); }

void MoveCursorTo(POINT screen) {
    // Absolute positions run from 0 to 65535 across the screen.
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
}

void MoveCursorOnto(HWND window) {
    RECT box{};
    GetWindowRect(window, &box);
    MoveCursorTo({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
}

void LeftClick() {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

COLORREF ScreenPixel(POINT screen) {
    HDC dc = GetDC(nullptr);
    const COLORREF colour = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return colour;
}

}  // namespace tarnwick::test
