#include "form/message_loop.h"

#include "form/form.h"

namespace tarnwick {
namespace {

struct Watched {
    HANDLE handle;
    HWND window;
    UINT message;
};

// The handles apart, since the wait takes them as an array of their own.
HANDLE watchedHandles[MAXIMUM_WAIT_OBJECTS - 1];
Watched watched[MAXIMUM_WAIT_OBJECTS - 1];
DWORD watchedCount = 0;

void Dispatch(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && Form::FromHandle(root) && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

bool WatchHandle(HANDLE handle, HWND window, UINT message) {
    for (DWORD i = 0; i < watchedCount; ++i) {
        if (watched[i].handle == handle) {
            watched[i] = {handle, window, message};
            return true;
        }
    }
    if (!handle || handle == INVALID_HANDLE_VALUE || watchedCount >= MAXIMUM_WAIT_OBJECTS - 1) return false;
    watchedHandles[watchedCount] = handle;
    watched[watchedCount++] = {handle, window, message};
    return true;
}

void StopWatchingHandle(HANDLE handle) {
    for (DWORD i = 0; i < watchedCount; ++i) {
        if (watched[i].handle != handle) continue;
        --watchedCount;
        watchedHandles[i] = watchedHandles[watchedCount];
        watched[i] = watched[watchedCount];
        return;
    }
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
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(watchedCount, watchedHandles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken < WAIT_OBJECT_0 + watchedCount) {
            const Watched signalled = watched[woken - WAIT_OBJECT_0];
            SendMessageW(signalled.window, signalled.message, reinterpret_cast<WPARAM>(signalled.handle), 0);
        } else if (woken == WAIT_FAILED) {
            // A handle closed without being unwatched: wait for messages
            // alone rather than spin.
            watchedCount = 0;
        }
    }
    return 0;
}

}  // namespace tarnwick
