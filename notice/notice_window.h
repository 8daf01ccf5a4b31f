#pragma once
// The start-up notice (提示窗口): a caption-less window that slides up out
// of the lower right corner of the screen onto the taskbar, thanks the user,
// offers a contact link and a web link, and can be switched off for later
// starts with its check box. "关闭" slides it back down and it closes itself.
#include <windows.h>

#include <string_view>

#include "core/disk/game_folder.h"
#include "form/form.h"
#include "form/dpi_scale.h"
#include "notice/notice_links.h"  // kContactAddress, kWebAddress, made by CMake

namespace tarnwick {

namespace notice_layout {
inline constexpr int kClientWidth = 4995;   // twips
inline constexpr int kClientHeight = 3000;  // twips
inline constexpr int kDontShowAgainId = 100;
inline constexpr int kSwitchWordId = 101;
inline constexpr UINT_PTR kSlideInTimer = 1;
inline constexpr UINT_PTR kSlideOutTimer = 2;
inline constexpr UINT kTimerInterval = 10;  // milliseconds
inline constexpr Box kDontShowAgainBox{240, 1560, 2175, 255};
inline constexpr Box kSwitchWordBox{240, 1920, 2175, 375};
inline constexpr Box kOutlineBox{0, 0, 5000, 3000};

// Labels in drawing order: later ones lie above earlier ones.
enum LabelIndex { TitleBar, ThanksText, AdviceText, ContactLink, WebLink, TitleText, CloseLabel, kLabelCount };

inline constexpr COLORREF kBlue = 0x00FF0000;
inline constexpr COLORREF kGreen = 0x0000FF00;
inline constexpr COLORREF kRed = 0x000000FF;
inline constexpr COLORREF kWhite = 0x00FFFFFF;
}  // namespace notice_layout


class NoticeWindow : public Form {
public:
    explicit NoticeWindow(GameFolder folder = {});
    ~NoticeWindow() override;

    // Creates the window with the slide-in timer running and runs its load
    // handler; the window stays hidden until Show. With `mainWindow`, the
    // notice is kept right above that window in the stacking order.
    bool Create(HWND mainWindow = nullptr);
    void Show();
    // Puts the notice right above the main window again, after the main
    // window moved in the stacking order; `again` restacks it even where it
    // already is.
    void KeepAboveMainWindow(bool again);
    // True when the notice lies somewhere above the main window (or there
    // is none to lie above).
    bool AboveMainWindow() const;
    // The check box and the switch word show what the switch file holds
    // now (another copy of the tool may have changed it).
    void ShowSavedSwitch();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintBeneathLabels(HDC dc) override;

private:
    void OnLoad();
    void OnBareSurfaceHover();
    void OnTitleBarHover();
    void OpenContactLink();
    void OnContactLinkHover();
    void OpenWebLink();
    void OnWebLinkHover();
    void OnCloseClicked();
    void OnCloseLabelHover();
    void OnDontShowAgainClicked();
    void OnSlideInTimer();
    void OnSlideOutTimer();

    void OnMouseMove(POINT point);
    void OnLeftButton(bool down, POINT point);
    void OnTimer(UINT_PTR id);
    void Move(double left, double top);
    double KeptLeft(double left) const;
    double ScreenWidth() const;
    double ScreenHeight() const;
    double WindowWidth() const;
    double WindowHeight() const;
    void StartTimer(UINT_PTR id, bool& running);
    void StopTimer(UINT_PTR id, bool& running);

    GameFolder folder_;
    HWND mainWindow_ = nullptr;
    double twipsPerPixel_ = kStandardTwipsPerPixel;
    HWND dontShowAgain_ = nullptr;
    HWND switchWord_ = nullptr;
    double left_ = 0;  // twips, screen coordinates
    double top_ = 0;
    bool slidingIn_ = false;
    bool slidingOut_ = false;
    int pressedLabel_ = -1;  // label under the left button press, for clicks
};

}  // namespace tarnwick
