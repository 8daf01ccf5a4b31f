#pragma once
// The base of the tool's windows. A form is a top-level window of the class
// "ThunderRT6FormDC", which the style engine treats as a form. It keeps its
// labels (drawn by the form itself), its back colour and an optional
// picture, hands every message to the derived window's procedure, moves the
// focus with Tab like a dialog, and gives it back to the last focused child
// when the window is activated again.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "form/label.h"
#include "form/picture.h"
#include "form/dpi_scale.h"

namespace tarnwick {

inline constexpr char kFormClassName[] = "ThunderRT6FormDC";
// A check box: a superclass of the platform's button class, under a name
// that the style engine paints as a check box.
inline constexpr char kCheckBoxClassName[] = "ThunderRT6CheckBox";
// Registers both classes for the module; later calls do nothing. Both are
// Unicode classes: the tool's windows take and give their texts as UTF-16,
// so no text passes through the system's code page, whatever it is.
bool RegisterFormClasses(HINSTANCE instance);

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Handle() const { return window_; }
    // The form behind a window of the form class; nullptr for any other.
    static Form* FromHandle(HWND window);

    const std::vector<Label>& Labels() const { return labels_; }

    // A character typed into a child whose key filter is installed
    // (form/key_filter.h), as the UTF-16 unit of its WM_CHAR; setting it to
    // 0 drops the character.
    virtual void FilterChildCharacter(HWND child, wchar_t& character);

    // How many forms have a window now; the message loop runs while any does.
    static int OpenCount();

protected:
    Form() = default;

    // Destroys the window; derived forms call it from their destructor so
    // that their own handlers still see the window go.
    void Close();

    // Creates the window hidden, at the given outer box in pixels.
    bool CreateFormWindow(std::wstring_view caption, DWORD style, DWORD exStyle, const Box& outer,
                          HWND owner);
    // A child window with the default UI font; `box` is in client pixels.
    HWND CreateChild(const char* className, std::wstring_view text, DWORD style, DWORD exStyle,
                     const Box& box, int id);

    // The derived window's procedure; what it does not handle it passes to
    // Form::WindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Drawn after the back colour and the picture, before the labels.
    virtual void PaintBeneathLabels(HDC dc);
    void SetLabelCaption(int index, std::wstring caption);
    void SetLabelForeColour(int index, COLORREF colour);
    void SetLabelTransparent(int index, bool transparent);

    std::vector<Label> labels_;
    COLORREF backColour_ = SystemColour(COLOR_BTNFACE);
    // The picture drawn over the whole client area (see FormPicture); its
    // pixels of the back colour stay exact when it is scaled. No picture
    // when the resource is missing.
    void SetPicture(int resourceId) { picture_.Load(resourceId); }

private:
    friend bool RegisterFormClasses(HINSTANCE instance);
    static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void InvalidateLabel(int index);
    void MoveFocus(WPARAM wParam, LPARAM lParam);
    void OnActivate(WORD state, bool minimised);
    bool ClickFocusedButton();
    HWND FirstTabItem() const;

    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    FormPicture picture_;
};

}  // namespace tarnwick
