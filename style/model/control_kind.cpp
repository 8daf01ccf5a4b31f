#include "style/model/control_kind.h"

#include <array>

namespace tarnwick {
namespace {

struct ClassEntry {
    std::string_view lowerCaseName;
    ControlKind kind;
};

// Whole-name matches. The names of both generations of the form runtime
// ("thunder..." and "thunderrt6...") and the system's own classes.
constexpr std::array kClassTable{
    ClassEntry{"#32770", ControlKind::Form},
    ClassEntry{"thunderformdc", ControlKind::Form},
    ClassEntry{"thunderrt6formdc", ControlKind::Form},
    ClassEntry{"form", ControlKind::Form},
    ClassEntry{"thundercommandbutton", ControlKind::PushButton},
    ClassEntry{"thunderrt6commandbutton", ControlKind::PushButton},
    ClassEntry{"button", ControlKind::PushButton},
    ClassEntry{"thundercombobox", ControlKind::ComboBox},
    ClassEntry{"thunderrt6combobox", ControlKind::ComboBox},
    ClassEntry{"combo", ControlKind::ComboBox},
    ClassEntry{"combobox", ControlKind::ComboBox},
    ClassEntry{"thunderdrivelistbox", ControlKind::DriveList},
    ClassEntry{"thunderrt6drivelistbox", ControlKind::DriveList},
    ClassEntry{"thundercheckbox", ControlKind::CheckBox},
    ClassEntry{"thunderrt6checkbox", ControlKind::CheckBox},
    ClassEntry{"thunderoptionbutton", ControlKind::OptionButton},
    ClassEntry{"thunderrt6optionbutton", ControlKind::OptionButton},
    ClassEntry{"progressbar20wndclass", ControlKind::ProgressBar},
    ClassEntry{"progressbarwndclass", ControlKind::ProgressBar},
    ClassEntry{"msvb_lib_header", ControlKind::Header},
    ClassEntry{"sysheader32", ControlKind::Header},
    ClassEntry{"datalistwndclass", ControlKind::DataList},
    ClassEntry{"dblistwndclass", ControlKind::DataList},
    ClassEntry{"combolbox", ControlKind::ComboList},
};

constexpr std::string_view kGridPrefix = "apexgrid";

}  // namespace

std::string GetWindowClassName(HWND window) {
    // Atom names, and so class names, hold at most 255 characters; one more
    // byte for the terminating NUL lets the longest come back whole.
    char buffer[256] = {};
    int length = GetClassNameA(window, buffer, static_cast<int>(sizeof buffer));
    if (length <= 0) {
        return {};
    }
    return std::string(buffer);  // cut at the first NUL
}

std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

ControlKind ClassifyWindow(std::string_view lowerCaseClassName) {
    for (const ClassEntry& entry : kClassTable) {
        if (entry.lowerCaseName == lowerCaseClassName) {
            return entry.kind;
        }
    }
    if (lowerCaseClassName.starts_with(kGridPrefix)) {
        return ControlKind::Grid;
    }
    return ControlKind::Other;
}

ControlKind ClassifyWindowHandle(HWND window) {
    return ClassifyWindow(ToLowerAscii(GetWindowClassName(window)));
}

}  // namespace tarnwick
