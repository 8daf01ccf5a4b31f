#pragma once
// Typed characters of a text field, seen by its form first.
#include <windows.h>

namespace tarnwick {

// Sends every WM_CHAR of the text field through
// Form::FilterChildCharacter of its parent form before the field sees it.
// A Unicode field is subclassed through the wide functions, so its
// messages are not converted.
void InstallKeyFilter(HWND field);

}  // namespace tarnwick
