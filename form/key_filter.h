#pragma once
// Typed and pasted characters of a text field, seen by its form first.
#include <windows.h>

namespace tarnwick {

// Sends every WM_CHAR of the text field through
// Form::FilterChildCharacter of its parent form before the field sees it;
// a character the form drops sounds the default beep. A paste (Ctrl+V,
// Shift+Insert, the context menu, WM_PASTE) puts in only what typing its
// characters would: each through the same filter, and no more than the
// field's length limit leaves room for; the rest is refused with the same
// beep; a clipboard another program holds open is waited for about half
// a second before the paste gives up with the beep. Ctrl+A selects the
// whole text. A Unicode field is subclassed through the wide functions, so its
// messages are not converted.
void InstallKeyFilter(HWND field);

}  // namespace tarnwick
