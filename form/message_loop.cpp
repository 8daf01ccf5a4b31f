#include "form/message_loop.h"

#include <algorithm>
#include <vector>

#include "form/form.h"

namespace tarnwick {
namespace {

struct Watched {
    HANDLE handle;
    HWND window;
    UINT message;
};

std::vector<Watched>& WatchedHandles() {
    static std::vector<Watched> watched;
    return watched;
}

void Dispatch(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && Form::FromHandle(root) && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

bool WatchHandle(HANDLE handle, HWND window, UINT message) {
    std::vector<Watched>& watched = WatchedHandles();
    for (Watched& w : watched) {
        if (w.handle == handle) {
            w.window = window;
            w.message = message;
            return true;
        }
    }
    if (!handle || handle == INVALID_HANDLE_VALUE || watched.size() >= MAXIMUM_WAIT_OBJECTS - 1) return false;
    watched.push_back({handle, window, message});
    return true;
}

void StopWatchingHandle(HANDLE handle) {
    std::vector<Watched>& watched = WatchedHandles();
    watched.erase(std::remove_if(watched.begin(), watched.end(), [&](const Watched& w) { return w.handle == handle; }),
                  watched.end());
}

// Every message waiting is handled before a signalled handle is looked at,
// so a folder that keeps changing cannot starve the window of its input.
int RunMessageLoop() {
    MSG message;
    while (Form::OpenCount() > 0) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return 0;
            Dispatch(message);
            if (Form::OpenCount() <= 0) return 0;
        }
        std::vector<Watched>& watched = WatchedHandles();
        std::vector<HANDLE> handles;
        for (const Watched& w : watched) handles.push_back(w.handle);
        const DWORD count = static_cast<DWORD>(handles.size());
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken < WAIT_OBJECT_0 + count) {
            const Watched signalled = watched[woken - WAIT_OBJECT_0];
            SendMessageW(signalled.window, signalled.message, reinterpret_cast<WPARAM>(signalled.handle), 0);
        } else if (woken == WAIT_FAILED) {
            // A handle closed without being unwatched: wait for messages
            // alone rather than spin.
            watched.clear();
        }
    }
    return 0;
}

}  // namespace tarnwick
