#pragma once
// Real windows for tests: window classes registered once per process, a
// window owner that destroys its window, and a message pump that runs until
// the queue is idle (tests never sleep to wait for messages).
#include <windows.h>

#include <utility>

namespace tarnwick::test {

// Registers a window class of this module with the given name and window
// procedure (DefWindowProcA when none); true when it is registered now or
// was already. Class names that match system classes ("Button") register a
// local class that takes precedence for this module.
bool RegisterTestClass(const char* name, WNDPROC procedure = nullptr);

// Owns a window and destroys it (with its children) when it goes away.
class TestWindow {
public:
    TestWindow() = default;
    explicit TestWindow(HWND window) : window_(window) {}
    // CreateWindowExA with the given class, text, styles and rectangle.
    TestWindow(const char* className, const char* text, DWORD style, DWORD exStyle, int x, int y,
               int width, int height, HWND parent = nullptr);
    ~TestWindow() { reset(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    TestWindow(TestWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    TestWindow& operator=(TestWindow&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.window_, nullptr));
        }
        return *this;
    }

    HWND get() const { return window_; }
    explicit operator bool() const { return window_ != nullptr; }
    void reset(HWND window = nullptr);

private:
    HWND window_ = nullptr;
};

// Dispatches every queued message of this thread until none is left.
void PumpMessages();

}  // namespace tarnwick::test
