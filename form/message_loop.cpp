#include "form/message_loop.h"

#include <windows.h>

#include "form/form.h"

namespace tarnwick {

int RunMessageLoop() {
    MSG message;
    while (Form::OpenCount() > 0) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root && Form::FromHandle(root) && IsDialogMessageW(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace tarnwick
