#pragma once
// What kind of control a window is, told from its class name alone, and the
// numbering of the looks the engine draws.
//
// Nothing here is cached per window: the dispatch classifies a window once
// per message, from the class name it has then.
#include <windows.h>

#include <string>
#include <string_view>

namespace tarnwick {

enum class ControlKind {
    Other,         // edit boxes, list boxes and every unlisted class
    Form,          // dialogs and the tool's own windows
    PushButton,    // every "button" window, whatever its button style
    ComboBox,
    DriveList,
    CheckBox,
    OptionButton,
    ProgressBar,
    Header,
    DataList,
    ComboList,     // the drop-down list window of a combo box
    Grid,          // class names beginning with "apexgrid"
};

// What a control looks like. The numbers are stored as they are in the
// "OLDSTATE" window property and select sprite cells (cell s at 21*s, ...).
enum class VisualState : int {
    Normal = 0,    // enabled, mouse not over it, not pressed
    Hot = 1,       // mouse over it
    Pressed = 2,   // left button or space key held on it, or its list open
    Disabled = 3,  // window disabled (push buttons only)
};

constexpr int ToInt(VisualState state) { return static_cast<int>(state); }

// Every look, in the order of their numbers.
inline constexpr VisualState kEveryVisualState[] = {VisualState::Normal, VisualState::Hot, VisualState::Pressed,
                                                    VisualState::Disabled};

// The window's class name through GetClassNameA, as the system spells it;
// empty when the class cannot be read (no such window). Class names are at
// most 255 characters and come back whole.
std::string GetWindowClassName(HWND window);

// ASCII lower case; bytes of a DBCS name outside A-Z stay as they are.
std::string ToLowerAscii(std::string_view text);

// Kind of a lower-cased class name: whole-name matches from the class table,
// plus the one prefix match "apexgrid". Unlisted names are ControlKind::Other.
ControlKind ClassifyWindow(std::string_view lowerCaseClassName);

// ClassifyWindow(ToLowerAscii(GetWindowClassName(window))).
ControlKind ClassifyWindowHandle(HWND window);

// The button-type bits of check boxes and radio buttons. Check boxes, radio
// buttons and group boxes have one of them set.
inline constexpr LONG kToggleButtonTypeBits = BS_CHECKBOX | BS_RADIOBUTTON;

// A "button" window is drawn by the engine only when both toggle-type bits
// are clear (push, default push, user and owner-draw buttons); check boxes,
// radio buttons and group boxes keep the platform's drawing. `style` is the
// style saved in "OLDSTYLE".
constexpr bool IsOwnerDrawnButtonStyle(LONG style) { return (style & kToggleButtonTypeBits) == 0; }

// An editable combo box is the one type whose CBS_SIMPLE bit is clear: a
// simple combo box and a drop-down list have it set.
constexpr bool IsEditableComboStyle(LONG style) { return (style & CBS_SIMPLE) == 0; }

// A combo box has a drop-down button unless it is a simple one (list always
// shown): the CBS_DROPDOWN bit is set for CBS_DROPDOWN and CBS_DROPDOWNLIST.
constexpr bool HasDropButtonStyle(LONG style) { return (style & CBS_DROPDOWN) != 0; }

}  // namespace tarnwick
