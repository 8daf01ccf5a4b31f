#include "form/tool_icon.h"

#include "res/resource_ids.h"

namespace tarnwick {

HICON LoadToolIcon(bool small) {
    int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TARNWICK), IMAGE_ICON,
                                         size, size, LR_SHARED));
}

void SetToolIcon(HWND window) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadToolIcon(false)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadToolIcon(true)));
}

}  // namespace tarnwick
