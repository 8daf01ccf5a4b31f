#pragma once
// Drives the real Tarnwick.exe from a test program running under the same
// Wine server: starts it in a game folder, finds its windows and controls,
// types into fields, clicks buttons, and reads and answers its message
// boxes. A started tool is always ended when its ToolProcess goes away.
#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// The Windows path of a file given by its Unix path under Wine: "Z:" in
// front and backslashes for slashes.
std::wstring WinePathFromUnix(std::string_view unixPath);
// The same folder under a second name: under Wine, its spelling through the
// Z: drive (the whole Unix file system), standing in for a junction, a
// substituted drive or a network path. Empty outside Wine.
std::wstring OtherSpelling(const std::wstring& windowsPath);

#ifdef TARNWICK_EXE_PATH
// The tool built with the tests (its Unix path is a compile definition of
// every test program).
inline std::wstring ToolExePath() { return WinePathFromUnix(TARNWICK_EXE_PATH); }
#endif

inline constexpr DWORD kWaitMs = 15000;

class ToolProcess {
public:
    // Starts the exe with `folder` as its current folder and waits until it
    // is idle for input. Started() tells whether that worked. With a `dpi`
    // the tool starts at that DPI setting: Wine reads the setting from
    // HKCU\Control Panel\Desktop\LogPixels when a process starts, so the
    // value is written for the start and put back as it was afterwards.
    ToolProcess(const std::wstring& exe, const std::wstring& folder, int dpi = 0);
    // Starts it with command-line arguments as a shortcut does: without a
    // console and without standard handles.
    ToolProcess(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments);
    // The exit code once it has ended; STILL_ACTIVE before.
    DWORD ExitCode() const;
    ~ToolProcess();  // ends the process if it still runs
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    bool Running() const;
    // True when the process ended within the time.
    bool WaitForExit(DWORD timeoutMs = kWaitMs);
    void Kill();

private:
    void Start(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments, DWORD flags);

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The tool run with command-line arguments as a script runs it: its
// standard output and standard error redirected to pipes, read whole once
// it ends. With `sink`, both go to that handle instead (a file that cannot
// be written) and nothing is read.
class CommandRun {
public:
    CommandRun(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments,
               HANDLE sink = nullptr);
    ~CommandRun();  // ends the process if it still runs
    CommandRun(const CommandRun&) = delete;
    CommandRun& operator=(const CommandRun&) = delete;

    // Waits for the end and collects what it wrote; false when it did not
    // start or end within the time.
    bool Finish(DWORD timeoutMs = kWaitMs);
    DWORD exitCode = STILL_ACTIVE;
    std::string output;  // the bytes it wrote to standard output
    std::string errors;  // and to standard error

private:
    HANDLE process_ = nullptr;
    HANDLE readOutput_ = nullptr;  // the pipes' ends
    HANDLE readErrors_ = nullptr;
};

// Fifteen values as the arguments of "apply", one space apart.
std::wstring ValueArguments(const std::array<std::wstring, 15>& values);

#ifdef TARNWICK_EXE_PATH
// The tool run to its end in `folder` with `arguments`, output to a pipe:
// its exit code (STILL_ACTIVE when it did not end) and what it wrote.
struct CommandResult {
    DWORD exitCode = STILL_ACTIVE;
    std::string output;
    std::string errors;
};
inline CommandResult RunCommand(const std::wstring& folder, const std::wstring& arguments) {
    CommandRun run(ToolExePath(), folder, arguments);
    run.Finish();
    return {run.exitCode, run.output, run.errors};
}
#endif

std::string ClassName(HWND window);
// The window's text through WM_GETTEXT, with a time-out so that a hung
// tool fails the test instead of blocking it.
std::wstring WindowText(HWND window);

// Top-level windows of a process, visible or not, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// Polls until a top-level window of the process satisfies `match`; null
// when none did within the time.
HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD timeoutMs = kWaitMs);
// A visible top-level window of the class with the title.
HWND WaitForTopLevel(DWORD processId, std::string_view className, std::wstring_view title,
                     DWORD timeoutMs = kWaitMs);
// Polls until the window is gone; true when it went within the time.
bool WaitUntilGone(HWND window, DWORD timeoutMs = kWaitMs);

// Direct children of a window, in z-order.
std::vector<HWND> Children(HWND parent);

// The platform's message box: a "#32770" window titled "系统信息".
struct MessageBoxSeen {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::wstring text;  // the text of its static text control, as the tool composed it
    std::wstring shown;  // the same with the line breaks the box made ("\r\n")
};
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs = kWaitMs);
// The message box now open, if any, without waiting.
std::optional<MessageBoxSeen> FindMessageBox(DWORD processId);
// Posts a click to the box's OK button and waits until the box is gone and
// the handler that opened it has returned to its message loop.
bool AnswerMessageBox(const MessageBoxSeen& box);
// Waits for a message box, answers it and returns its text; "" when none
// came.
std::wstring AnswerNextMessageBox(DWORD processId, DWORD timeoutMs = kWaitMs);

// Clicks the button, waits for the message box it opens, checks that the
// box belongs to `owner`, answers it and returns its text ("<no message
// box>" when none came).
std::wstring ClickAndAnswer(DWORD processId, HWND owner, HWND button);

// Sends one WM_CHAR per byte, so the field's key filter sees each.
void TypeChars(HWND field, std::string_view chars);
void SetText(HWND window, std::wstring_view text);
// Posts BM_CLICK: the click may open a modal box, so the driver must not
// wait for the handler to return.
void Click(HWND button);
// Sends BM_CLICK and waits until the click has been handled; for a click
// that opens no modal box. False when it was not handled within the time.
bool ClickNow(HWND button, DWORD timeoutMs = kWaitMs);
// Posts a left button press and release at a client point.
void ClickAt(HWND window, int x, int y);
// Sends WM_NULL and waits for the answer. The window's thread answers it
// only when it waits for messages, so a handler that was running when it
// was sent has returned (or entered a modal loop) by then.
bool Sync(HWND window);
// Sends WM_TIMER with the timer identifier and waits until it is handled.
bool SendTimerTick(HWND window, UINT_PTR timer);

// Polls until `done` holds; true when it did within the time.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs);

// Real mouse input through the platform's input queue, as a player gives
// it: the cursor moved to a screen point or the centre of a window, and a
// left click where the cursor is.
void MoveCursorTo(POINT screen);
void MoveCursorOnto(HWND window);
void LeftClick();

// The colour that the screen shows at a point.
COLORREF ScreenPixel(POINT screen);

}  // namespace tarnwick::test
