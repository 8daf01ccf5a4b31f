#include "form/key_filter.h"

#include <string>
#include <string_view>

#include "form/form.h"
#include "win32/subclass.h"

namespace tarnwick {
namespace {

// Property of a text field holding the procedure that the key filter
// replaced.
constexpr char kKeyFilterProp[] = "KEYFILTERPROC";

// The character Ctrl+A types.
constexpr wchar_t kSelectAll = 1;

// The sound of a refused character or paste: the platform's default beep.
void Refuse() { MessageBeep(MB_OK); }

// Another program may hold the clipboard open for a moment (a clipboard
// manager, Remote Desktop copying it across): the paste tries again for
// about half a second before it gives up.
constexpr int kClipboardTries = 25;
constexpr DWORD kClipboardRetryMs = 20;

// What typing the characters one by one at the selection would put in:
// each passes the form's filter, and no more than the typed-length limit
// leaves room for. Whatever is left out sounds the refusal once.
void PasteAsTyped(Form& form, HWND field, std::wstring_view pasted) {
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(field));
    const auto limit = static_cast<DWORD>(SendMessageW(field, EM_GETLIMITTEXT, 0, 0));
    const DWORD kept = length - (end > start ? end - start : 0);
    const DWORD room = limit > kept ? limit - kept : 0;
    std::wstring accepted;
    bool refused = false;
    for (wchar_t unit : pasted) {
        wchar_t character = unit;
        // Line ends and other control characters are no text to type.
        if (character >= L' ') form.FilterChildCharacter(field, character);
        else character = 0;
        if (character == 0 || accepted.size() >= room) {
            refused = true;
            continue;
        }
        accepted += character;
    }
    if (!accepted.empty()) SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(accepted.c_str()));
    if (refused) Refuse();
}

// The clipboard's text, pasted as typed while the clipboard is open; a
// clipboard that cannot be opened is refused.
void Paste(Form& form, HWND field) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return;
    for (int tries = 1; !OpenClipboard(field); ++tries) {
        if (tries == kClipboardTries) {
            Refuse();
            return;
        }
        Sleep(kClipboardRetryMs);
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Up to the first null, but never past the memory's end: the
            // text is another program's, and may lack its null.
            const std::size_t most = GlobalSize(data) / sizeof(wchar_t);
            std::size_t length = 0;
            while (length < most && units[length]) ++length;
            PasteAsTyped(form, field, std::wstring_view(units, length));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
}

LRESULT CALLBACK KeyFilterProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(field, kKeyFilterProp));
    if (!previous) return DefaultWindowProc(field, message, wParam, lParam);
    Form* form = Form::FromHandle(GetParent(field));
    switch (message) {
        case WM_CHAR:
            // Ctrl+A selects the whole text, which Wine's field does not
            // do on its own.
            if (form && wParam == kSelectAll) {
                SendMessageW(field, EM_SETSEL, 0, -1);
                return 0;
            }
            if (form) {
                auto character = static_cast<wchar_t>(wParam);
                form->FilterChildCharacter(field, character);
                if (character == 0) {
                    Refuse();
                    return 0;
                }
                wParam = character;
            }
            break;
        case WM_PASTE:
            // Ctrl+V and the context menu's paste, and on Windows Shift+Insert.
            if (form) {
                Paste(*form, field);
                return 0;
            }
            break;
        case WM_KEYDOWN:
            // Shift+Insert, which Wine's field pastes without WM_PASTE.
            if (form && wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
                Paste(*form, field);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemovePropA(field, kKeyFilterProp);
            break;
        default:
            break;
    }
    return CallSavedProc(previous, field, message, wParam, lParam);
}

}  // namespace

void InstallKeyFilter(HWND field) {
    if (GetPropA(field, kKeyFilterProp)) return;
    WNDPROC previous = ReplaceWindowProc(field, &KeyFilterProc);
    SetPropA(field, kKeyFilterProp, reinterpret_cast<HANDLE>(previous));
}

}  // namespace tarnwick
