#include "app/message_dialog.h"

#include "form/message_box.h"
#include "form/tool_icon.h"
#include "form/work_area.h"
#include "style/skin.h"
#include "words/messages.h"

namespace tarnwick {

using namespace message_dialog_layout;

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

MessageDialog::~MessageDialog() { Close(); }

bool MessageDialog::Create() {
    double twipsPerPixel = ScreenTwipsPerPixel();
    RECT frame{0, 0, TwipsToPixels(kClientWidth, twipsPerPixel), TwipsToPixels(kClientHeight, twipsPerPixel)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    Box outer = CentredOnScreen(width, height);
    if (!CreateFormWindow(kMessageTitle, kStyle, 0, outer, nullptr)) return false;
    SetToolIcon(Handle());

    Label label;
    label.box = TwipsToPixels(kTextBox, twipsPerPixel);
    label.caption = kNotInGameFolderText;
    label.transparent = true;
    labels_.push_back(label);
    confirmButton_ = CreateChild("Button", L"确认", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                 TwipsToPixels(kConfirmButtonBox, twipsPerPixel), kConfirmButtonId);
    OnLoad();
    return true;
}

void MessageDialog::Show() {
    if (Handle()) ShowWindow(Handle(), SW_SHOW);
}

LRESULT MessageDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam && LOWORD(wParam) == kConfirmButtonId && HIWORD(wParam) == BN_CLICKED) {
        OnConfirm();
        return 0;
    }
    return Form::WindowProc(message, wParam, lParam);
}

void MessageDialog::OnLoad() {
    SkinWindow(Handle());
    MessageBeep(MB_OK);
}

void MessageDialog::OnConfirm() { Close(); }

}  // namespace tarnwick
