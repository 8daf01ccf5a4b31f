#include "notice/notice_window.h"

#include <windowsx.h>

#include <algorithm>

#include "core/failure_result.h"
#include "core/operations/folder_lock.h"
#include "core/stored/notice_switch.h"
#include "form/message_box.h"
#include "form/work_area.h"
#include "notice/taskbar.h"
#include "style/skin.h"
#include "win32/system_library.h"
#include "win32/window_text.h"
#include "words/operation_text.h"

namespace tarnwick {
namespace {

using namespace notice_layout;

struct LabelSpec {
    Box box;  // twips
    const wchar_t* caption;
    COLORREF fore;
    COLORREF back;
    bool transparent;
};

// Opens a link with the shell's "open" verb. shell32 is loaded on the first
// click, not at every start of the tool.
void OpenLink(HWND owner, const wchar_t* link) {
    if (ShellExecuteProc open = SystemShellExecute()) open(owner, L"open", link, nullptr, nullptr, SW_SHOWNORMAL);
}

constexpr COLORREF kDefaultFore = SystemColour(COLOR_BTNTEXT);
constexpr COLORREF kDefaultBack = SystemColour(COLOR_BTNFACE);

// Indexed by LabelIndex.
constexpr LabelSpec kLabels[kLabelCount] = {
    /* TitleBar */ {{0, 0, 5000, 375}, L"", kWhite, kBlue, false},
    /* ThanksText */ {{240, 600, 4575, 255}, L"感谢您下载并使用本程序", kDefaultFore, kDefaultBack, false},
    /* AdviceText */ {{240, 840, 4695, 255}, L"如果您觉得本程序有不足的地方或更好的意见", kDefaultFore, kDefaultBack, false},
    /* ContactLink */ {{240, 1200, 975, 255}, L"请联系本人", kBlue, kDefaultBack, false},
    /* WebLink */ {{1440, 1200, 2175, 255}, L"更多精彩内容请关注Brellan", kBlue, kDefaultBack, false},
    /* TitleText */ {{120, 120, 1335, 255}, L"系统信息", kWhite, kDefaultBack, true},
    /* CloseLabel */ {{4560, 120, 495, 255}, L"关闭", kGreen, kDefaultBack, true},
};

// Another copy of the tool saving the switch at the same moment replaces
// the file under this one's write, which then fails as if access were
// denied. The copies take turns through the game folder's lock, and a
// clash with a copy that only reads the file is waited out briefly.
constexpr int kSaveAttempts = 10;
constexpr DWORD kSavePauseMs = 50;

bool MayBeBriefClash(const OperationResult& result) {
    return result.outcome == Outcome::AccessDenied || result.outcome == Outcome::FileInUse;
}

OperationResult SaveNoticeSwitch(const GameFolder& folder, std::wstring_view switchWord) {
    FolderLock lock(folder);
    // A lock that cannot be had for another reason (a folder that takes no
    // lock file) does not stop the switch: it is the tool's own small file.
    if (lock.Busy()) return OutcomeResult(Action::SaveNoticeSwitch, Outcome::ToolBusy, L"");
    OperationResult result;
    for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
        if (attempt > 0) Sleep(kSavePauseMs);
        result = WriteHintFile(folder, switchWord);
        if (!MayBeBriefClash(result)) break;
    }
    return result;
}

}  // namespace

NoticeWindow::NoticeWindow(GameFolder folder) : folder_(std::move(folder)) {}

NoticeWindow::~NoticeWindow() { Close(); }

bool NoticeWindow::Create(HWND mainWindow) {
    mainWindow_ = mainWindow;
    twipsPerPixel_ = ScreenTwipsPerPixel();
    Box outer{0, 0, TwipsToPixels(kClientWidth, twipsPerPixel_), TwipsToPixels(kClientHeight, twipsPerPixel_)};
    // A tool window: the notice gets no taskbar button of its own.
    if (!CreateFormWindow(L"系统信息", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, outer, nullptr))
        return false;

    for (const LabelSpec& label : kLabels) {
        labels_.push_back({TwipsToPixels(label.box, twipsPerPixel_), label.caption, label.fore, label.back,
                           label.transparent});
    }
    dontShowAgain_ = CreateChild(kCheckBoxClassName, L"不再提示此信息", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                 0, TwipsToPixels(kDontShowAgainBox, twipsPerPixel_), kDontShowAgainId);
    switchWord_ = CreateChild("Edit", kSwitchOn, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                              TwipsToPixels(kSwitchWordBox, twipsPerPixel_), kSwitchWordId);
    StartTimer(kSlideInTimer, slidingIn_);

    OnLoad();
    return true;
}

void NoticeWindow::Show() {
    // Shown without taking the activation: the main window, shown next,
    // keeps the keyboard.
    if (Handle()) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

LRESULT NoticeWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            OnLeftButton(message == WM_LBUTTONDOWN, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == dontShowAgain_ && dontShowAgain_ && HIWORD(wParam) == BN_CLICKED) {
                OnDontShowAgainClicked();
                return 0;
            }
            break;
        case WM_DESTROY:
            StopTimer(kSlideInTimer, slidingIn_);
            StopTimer(kSlideOutTimer, slidingOut_);
            break;
        default:
            break;
    }
    return Form::WindowProc(message, wParam, lParam);
}

void NoticeWindow::PaintBeneathLabels(HDC dc) {
    // The outline: one pixel in the highlight colour; the title bar covers
    // its top edge. It is 5 twips wider than the window, which rounds to the
    // same pixel at 96 dpi but to one beyond the window at some settings
    // (120 dpi): its right and bottom edges keep to the window's last pixels.
    Box shape = TwipsToPixels(kOutlineBox, twipsPerPixel_);
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT outline{shape.left, shape.top, std::min<LONG>(shape.Right(), client.right),
                 std::min<LONG>(shape.Bottom(), client.bottom)};
    FrameRect(dc, &outline, GetSysColorBrush(COLOR_HIGHLIGHT));
}

void NoticeWindow::OnMouseMove(POINT point) {
    switch (LabelAt(labels_, point)) {
        case -1: OnBareSurfaceHover(); break;
        case TitleBar: OnTitleBarHover(); break;
        case ContactLink: OnContactLinkHover(); break;
        case WebLink: OnWebLinkHover(); break;
        case CloseLabel: OnCloseLabelHover(); break;
        default: break;  // TitleText, ThanksText and AdviceText change nothing
    }
}

void NoticeWindow::OnLeftButton(bool down, POINT point) {
    // A label is clicked when the button goes down and up on the same label.
    int label = LabelAt(labels_, point);
    if (down) {
        pressedLabel_ = label;
        SetCapture(Handle());
        return;
    }
    if (GetCapture() == Handle()) ReleaseCapture();
    int pressed = pressedLabel_;
    pressedLabel_ = -1;
    if (label != pressed) return;
    switch (label) {
        case ContactLink: OpenContactLink(); break;
        case WebLink: OpenWebLink(); break;
        case CloseLabel: OnCloseClicked(); break;
        default: break;
    }
}

void NoticeWindow::OnTimer(UINT_PTR id) {
    // A tick of a timer that has been stopped (one already queued, or one
    // sent by hand) is ignored.
    if (id == kSlideInTimer && slidingIn_) OnSlideInTimer();
    else if (id == kSlideOutTimer && slidingOut_) OnSlideOutTimer();
}

void NoticeWindow::OnLoad() {
    SkinWindow(Handle());
    double taskbar = GetTaskbarHeight();
    Move(KeptLeft(ScreenWidth() - WindowWidth()), NoticeStartTop(ScreenHeight(), taskbar, WindowHeight()));
}

void NoticeWindow::OnBareSurfaceHover() {
    SetLabelForeColour(ContactLink, kBlue);
    SetLabelForeColour(WebLink, kBlue);
    SetLabelForeColour(CloseLabel, kGreen);
}

void NoticeWindow::OnTitleBarHover() { SetLabelForeColour(CloseLabel, kGreen); }

// The links open shown: a mail program or browser started hidden would
// look to the user as if the click did nothing.
void NoticeWindow::OpenContactLink() {
    OpenLink(Handle(), kContactAddress);
}

void NoticeWindow::OnContactLinkHover() { SetLabelForeColour(ContactLink, kGreen); }

void NoticeWindow::OpenWebLink() {
    OpenLink(Handle(), kWebAddress);
}

void NoticeWindow::OnWebLinkHover() { SetLabelForeColour(WebLink, kGreen); }

void NoticeWindow::OnCloseClicked() { StartTimer(kSlideOutTimer, slidingOut_); }

void NoticeWindow::OnCloseLabelHover() { SetLabelForeColour(CloseLabel, kRed); }

void NoticeWindow::OnDontShowAgainClicked() {
    bool checked = SendMessageW(dontShowAgain_, BM_GETCHECK, 0, 0) > 0;
    SetWindowTextW(switchWord_, std::wstring(checked ? kSwitchOff : kSwitchOn).c_str());
    OperationResult result = SaveNoticeSwitch(folder_, GetWindowTextString(switchWord_));
    // The box says what the next start will do: what the file holds now,
    // whether this click's write went through or not.
    ShowSavedSwitch();
    // A switch file that cannot be written is reported; the notice and the
    // tool go on.
    if (!result.Succeeded()) ShowMessageBox(Handle(), OperationText(result));
}

void NoticeWindow::ShowSavedSwitch() {
    const bool off = NoticeSwitchedOff(folder_);
    SendMessageW(dontShowAgain_, BM_SETCHECK, off ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowTextW(switchWord_, std::wstring(off ? kSwitchOff : kSwitchOn).c_str());
}

void NoticeWindow::OnSlideInTimer() {
    SlideStep step = SlideInTick(top_, ScreenHeight(), WindowHeight(), GetTaskbarHeight());
    if (step.finished) {
        StopTimer(kSlideInTimer, slidingIn_);
        // By now the main window is on the screen, where Wine may have put
        // it above the notice as it showed it.
        KeepAboveMainWindow(true);
        // On a screen lower than the window, it rests with its top edge on
        // the work area's, its title and "关闭" in sight.
        step.top = std::max(step.top, PixelsToTwips(WorkArea().top, twipsPerPixel_));
    }
    Move(left_, step.top);
}

void NoticeWindow::OnSlideOutTimer() {
    SlideStep step = SlideOutTick(top_, ScreenHeight());
    Move(left_, step.top);
    if (step.finished) {
        StopTimer(kSlideOutTimer, slidingOut_);
        Close();
    }
}

bool NoticeWindow::AboveMainWindow() const {
    if (!Handle() || !mainWindow_) return true;
    for (HWND below = GetWindow(Handle(), GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == mainWindow_) return true;
    }
    return false;
}

void NoticeWindow::KeepAboveMainWindow(bool again) {
    if (!Handle() || !mainWindow_ || !IsWindow(mainWindow_) || !IsWindowVisible(Handle())) return;
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    // Wine's X11 driver restacks a window on the screen only when it becomes
    // the top one: the notice is first put below the main window, then
    // above it, at the top whenever the main window is the top window shown.
    if (again) SetWindowPos(Handle(), mainWindow_, 0, 0, 0, 0, kFlags);
    HWND above = GetWindow(mainWindow_, GW_HWNDPREV);
    while (above && above != Handle() && !IsWindowVisible(above)) above = GetWindow(above, GW_HWNDPREV);
    if (above == Handle()) return;
    SetWindowPos(Handle(), above ? above : HWND_TOP, 0, 0, 0, 0, kFlags);
}

void NoticeWindow::Move(double left, double top) {
    left_ = left;
    top_ = top;
    SetWindowPos(Handle(), nullptr, TwipsToPixels(left, twipsPerPixel_), TwipsToPixels(top, twipsPerPixel_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The right edge of the screen, unless the window would then reach beyond
// the work area's left or right edge: its left edge stays in sight.
double NoticeWindow::KeptLeft(double left) const {
    const Box area = WorkArea();
    const double areaLeft = PixelsToTwips(area.left, twipsPerPixel_);
    const double areaRight = PixelsToTwips(area.Right(), twipsPerPixel_);
    return std::max(areaLeft, std::min(left, areaRight - WindowWidth()));
}

double NoticeWindow::ScreenWidth() const { return PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), twipsPerPixel_); }

double NoticeWindow::ScreenHeight() const { return PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), twipsPerPixel_); }

double NoticeWindow::WindowWidth() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return PixelsToTwips(r.right - r.left, twipsPerPixel_);
}

double NoticeWindow::WindowHeight() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return PixelsToTwips(r.bottom - r.top, twipsPerPixel_);
}

void NoticeWindow::StartTimer(UINT_PTR id, bool& running) {
    if (running) return;
    running = SetTimer(Handle(), id, kTimerInterval, nullptr) != 0;
}

void NoticeWindow::StopTimer(UINT_PTR id, bool& running) {
    if (!running) return;
    if (Handle()) KillTimer(Handle(), id);
    running = false;
}

}  // namespace tarnwick
