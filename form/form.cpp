#include "form/form.h"

#include "form/ui_font.h"
#include "win32/gdi_scope.h"
#include "win32/surface.h"

namespace tarnwick {
namespace {

ATOM formAtom = 0;
int liveForms = 0;

// Class names are ASCII.
std::wstring Widen(const char* ascii) {
    std::wstring wide;
    for (; *ascii; ++ascii) wide += static_cast<wchar_t>(static_cast<unsigned char>(*ascii));
    return wide;
}

bool IsPushButton(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "Button") != 0) return false;
    LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

bool CanTakeFocus(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(window) &&
           IsWindowEnabled(window);
}

}  // namespace

bool RegisterFormClasses(HINSTANCE instance) {
    if (formAtom) return true;
    const std::wstring formName = Widen(kFormClassName);
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.style = CS_DBLCLKS;
    form.lpfnWndProc = &Form::FormProc;
    form.cbWndExtra = sizeof(Form*);
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    form.lpszClassName = formName.c_str();
    formAtom = RegisterClassExW(&form);
    if (!formAtom) return false;

    // The check box keeps the platform's button procedure and its extra
    // bytes; only the name differs.
    const std::wstring checkName = Widen(kCheckBoxClassName);
    WNDCLASSEXW check{};
    check.cbSize = sizeof check;
    if (!GetClassInfoExW(nullptr, L"Button", &check)) return false;
    check.style &= ~CS_GLOBALCLASS;
    check.hInstance = instance;
    check.lpszClassName = checkName.c_str();
    return RegisterClassExW(&check) != 0;
}

Form::~Form() { Close(); }

void Form::Close() {
    if (window_) DestroyWindow(window_);
}

Form* Form::FromHandle(HWND window) {
    if (!window || !formAtom) return nullptr;
    if (static_cast<ATOM>(GetClassLongW(window, GCW_ATOM)) != formAtom) return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(window, 0));
}

void Form::FilterChildCharacter(HWND, wchar_t&) {}

int Form::OpenCount() { return liveForms; }

bool Form::CreateFormWindow(std::wstring_view caption, DWORD style, DWORD exStyle, const Box& outer,
                            HWND owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterFormClasses(instance)) return false;
    const std::wstring title(caption);
    CreateWindowExW(exStyle, Widen(kFormClassName).c_str(), title.c_str(), style, outer.left, outer.top,
                    outer.width, outer.height, owner, nullptr, instance, this);
    return window_ != nullptr;
}

HWND Form::CreateChild(const char* className, std::wstring_view text, DWORD style, DWORD exStyle,
                       const Box& box, int id) {
    const std::wstring title(text);
    HWND child = CreateWindowExW(exStyle, Widen(className).c_str(), title.c_str(), style | WS_CHILD, box.left,
                                 box.top, box.width, box.height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    return child;
}

LRESULT CALLBACK Form::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = nullptr;
    if (message == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(form));
        form->window_ = window;
        ++liveForms;
    } else {
        form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, 0));
    }
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = form->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, 0, 0);
        form->window_ = nullptr;
        form->lastFocus_ = nullptr;
        // Wake the message loop so that it sees the count, even when the
        // window was destroyed from a message sent by another thread.
        if (--liveForms <= 0) PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
    return result;
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint handler covers the whole client area
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_NEXTDLGCTL:
            MoveFocus(wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam), HIWORD(wParam) != 0);
            if (LOWORD(wParam) != WA_INACTIVE && GetFocus() && IsChild(window_, GetFocus())) return 0;
            break;
        case WM_COMMAND:
            // Enter in a form: the dialog manager asks for IDOK. A focused
            // push button takes it as a click, as it would in a dialog.
            if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0 && lParam == 0 && ClickFocusedButton())
                return 0;
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Form::PaintBeneathLabels(HDC) {}

void Form::Paint(HDC target) {
    RECT client;
    GetClientRect(window_, &client);
    // Composed off-screen, so that the window never shows half of it; drawn
    // straight onto the target should no surface be had.
    OwnedSurface surface(client.right, client.bottom, target);
    HDC dc = surface ? surface.get() : target;

    FillRect(dc, &client, GdiObject<HBRUSH>(CreateSolidBrush(ResolveColour(backColour_))).get());
    picture_.Draw(dc, client.right, client.bottom, ResolveColour(backColour_));
    PaintBeneathLabels(dc);
    for (const Label& label : labels_) DrawLabel(dc, label, UiFont());

    if (dc != target) BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

void Form::InvalidateLabel(int index) {
    const RECT box = ToRect(labels_[static_cast<size_t>(index)].box);
    if (window_) InvalidateRect(window_, &box, FALSE);
}

void Form::SetLabelCaption(int index, std::wstring caption) {
    Label& label = labels_[static_cast<size_t>(index)];
    if (label.caption == caption) return;
    label.caption = std::move(caption);
    InvalidateLabel(index);
}

void Form::SetLabelForeColour(int index, COLORREF colour) {
    Label& label = labels_[static_cast<size_t>(index)];
    if (label.foreColour == colour) return;
    label.foreColour = colour;
    InvalidateLabel(index);
}

void Form::SetLabelTransparent(int index, bool transparent) {
    Label& label = labels_[static_cast<size_t>(index)];
    if (label.transparent == transparent) return;
    label.transparent = transparent;
    InvalidateLabel(index);
}

HWND Form::FirstTabItem() const {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (CanTakeFocus(child)) return child;
    }
    return nullptr;
}

void Form::MoveFocus(WPARAM wParam, LPARAM lParam) {
    HWND target;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        HWND focus = GetFocus();
        if (focus && !IsChild(window_, focus)) focus = nullptr;
        target = focus ? GetNextDlgTabItem(window_, focus, wParam != 0) : FirstTabItem();
    }
    if (!target || !IsChild(window_, target)) return;
    SetFocus(target);
    // A text field reached with Tab has its whole text selected, as in a
    // dialog, so that typing replaces it.
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

void Form::OnActivate(WORD state, bool minimised) {
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    if (minimised) return;
    HWND target = lastFocus_;
    if (!target || !IsWindow(target) || !IsChild(window_, target) || !CanTakeFocus(target))
        target = FirstTabItem();
    if (target) SetFocus(target);
}

bool Form::ClickFocusedButton() {
    HWND focus = GetFocus();
    if (!focus || !IsChild(window_, focus) || !IsPushButton(focus)) return false;
    PostMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

}  // namespace tarnwick
