#include "form/message_box.h"

#include <string>

#include "form/form.h"
#include "form/message_font.h"
#include "form/tool_icon.h"
#include "style/skin.h"

namespace tarnwick {
namespace {

// The owner of a box shown with no other window: a see-through speck in
// the middle of the screen. Shown and active, it hears of the box when the
// box takes the activation from it, which is when the engine attaches the
// box; and it gives the box a button on the taskbar.
class HiddenOwner : public Form {
public:
    ~HiddenOwner() override { Close(); }
    bool Create() {
        const Box centre{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1, 1};
        if (!CreateFormWindow(kMessageTitle, WS_POPUP, WS_EX_LAYERED, centre, nullptr)) return false;
        SetLayeredWindowAttributes(Handle(), 0, 0, LWA_ALPHA);
        SetToolIcon(Handle());
        return true;
    }
};

}  // namespace

void ShowMessageBox(HWND owner, std::wstring_view text) {
    const std::wstring message(text), title(kMessageTitle);
    MessageFontFitter font(message);
    MessageBoxW(owner, message.c_str(), title.c_str(), MB_OK);
}

void ShowMessageBoxAlone(std::wstring_view text) {
    HiddenOwner owner;
    if (!owner.Create()) {
        ShowMessageBox(nullptr, text);
        return;
    }
    SkinWindow(owner.Handle());
    ShowWindow(owner.Handle(), SW_SHOW);
    SetForegroundWindow(owner.Handle());
    ShowMessageBox(owner.Handle(), text);
}

}  // namespace tarnwick
