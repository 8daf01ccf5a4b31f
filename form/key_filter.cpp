#include "form/key_filter.h"

#include "form/form.h"
#include "win32/subclass.h"

namespace tarnwick {
namespace {

// Property of a text field holding the procedure that the key filter
// replaced.
constexpr char kKeyFilterProp[] = "KEYFILTERPROC";

LRESULT CALLBACK KeyFilterProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(field, kKeyFilterProp));
    if (!previous) return DefaultWindowProc(field, message, wParam, lParam);
    if (message == WM_CHAR) {
        if (Form* form = Form::FromHandle(GetParent(field))) {
            auto character = static_cast<wchar_t>(wParam);
            form->FilterChildCharacter(field, character);
            if (character == 0) return 0;
            wParam = character;
        }
    } else if (message == WM_NCDESTROY) {
        RemovePropA(field, kKeyFilterProp);
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
