#include "app/main_window.h"

#include <windowsx.h>

#include <string>

#include "app/main_layout.h"
#include "app/message_dialog.h"
#include "app/unseen_mapped_drive.h"
#include "core/disk/file_io.h"
#include "core/disk/file_stamp.h"
#include "core/disk/path_problem.h"
#include "core/game/version.h"
#include "core/operations/apply.h"
#include "core/operations/folder_lock.h"
#include "core/operations/restore.h"
#include "core/stored/notice_switch.h"
#include "core/stored/settings_cache.h"
#include "form/key_filter.h"
#include "form/message_box.h"
#include "form/tool_icon.h"
#include "form/work_area.h"
#include "notice/notice_window.h"
#include "res/resource_ids.h"
#include "style/skin.h"
#include "win32/window_text.h"
#include "words/messages.h"
#include "words/operation_text.h"

namespace tarnwick {
namespace {

using namespace main_layout;

// Posted by the load handler when the game file could not be read, so the
// report comes once the window is on the screen.
constexpr UINT kReportReadError = WM_APP + 1;
// Sent by the message loop when something in the game folder changed.
constexpr UINT kFolderChanged = WM_APP + 2;
// Posted by the folder's looker with what it found.
constexpr UINT kFolderLooked = WM_APP + 3;
// One look at the folder a while from now: once a change has settled,
// while another copy of the tool is at work there, or at a held game file.
constexpr UINT_PTR kLookAgainTimer = 1;
constexpr UINT kLookAgainMs = 200;
// The game file is read only once its size and last-write time have
// stayed the same this long: a program writing it (an updater, an unzip, a
// copy) opens it again and again without sharing, and the window's read
// must not stand in its way.
constexpr DWORD kQuietMs = 500;
// A game file held without sharing (being written, or scanned) is looked
// at again every kLookAgainMs for about ten seconds, then every
// kHeldLookSlowMs until it can be read: the change that ends the hold
// (closing the file) sends no notification of its own.
constexpr int kMaxHeldLooks = 50;
constexpr UINT kHeldLookSlowMs = 2000;
// While the window is shown, the folder's attributes are looked at on this
// timer too, since a change notification does not always come: Wine
// signals no change inside Data or Data\Bak (a deleted backup) to a watch
// on the game folder. A look opens no file.
constexpr UINT_PTR kLookTimer = 2;
constexpr UINT kLookPeriodMs = 2000;

constexpr DWORD kFieldStyle = WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

}  // namespace

MainWindow::MainWindow(GameFolder folder) : folder_(std::move(folder)) {}

MainWindow::~MainWindow() {
    Close();
    notice_.reset();
    dialog_.reset();
}

bool MainWindow::Start() {
    if (!CreateLayout()) return false;
    OnLoad();
    if (Handle()) {
        shown_ = true;
        ShowWindow(Handle(), SW_SHOW);
        UpdateWindow(Handle());
        // Another copy of the tool, the command line or the player may make
        // or use the backup, or put another game file in place, while this
        // window is in the background too.
        watch_.Start(folder_, Handle(), kFolderChanged);
        if (OnNetworkDrive(folder_)) looker_.Start(folder_, Handle(), kFolderLooked);
        SetTimer(Handle(), kLookTimer, kLookPeriodMs, nullptr);
        lookOnActivate_ = true;
    }
    return true;
}

bool MainWindow::CreateLayout() {
    twipsPerPixel_ = ScreenTwipsPerPixel();
    int width = TwipsToPixels(kClientWidth, twipsPerPixel_);
    int height = TwipsToPixels(kClientHeight, twipsPerPixel_);
    // No frame, so the outer size is the client size; centred on the screen,
    // and inside the work area where the screen is smaller than the window.
    Box outer = CentredOnScreen(width, height);
    if (!CreateFormWindow(kCaption, WS_POPUP | WS_CLIPCHILDREN, 0, outer, nullptr)) return false;
    SetToolIcon(Handle());

    backColour_ = kBackColour;
    // Without the picture the whole client area stays green.
    SetPicture(IDB_BACKGROUND);

    // Labels, drawn beneath the child windows; opaque and empty until the
    // load handler gives them captions. The drag band is transparent.
    Label dragBand;
    dragBand.box = TwipsToPixels(kDragBand, twipsPerPixel_);
    dragBand.transparent = true;
    labels_.push_back(dragBand);
    Label status;
    status.box = TwipsToPixels(kStatus, twipsPerPixel_);
    labels_.push_back(status);
    for (int i = 0; i < kFieldCount; ++i) {
        Label fieldLabel;
        fieldLabel.box = TwipsToPixels(FieldLabelBox(i), twipsPerPixel_);
        labels_.push_back(fieldLabel);
    }

    // Child windows in focus order: Tab follows their order.
    FieldTexts defaults = DefaultFieldTexts();
    for (int i = 0; i < kFieldCount; ++i) {
        fields_[i] = CreateChild("Edit", defaults[i], WS_VISIBLE | kFieldStyle, WS_EX_CLIENTEDGE,
                                 TwipsToPixels(FieldBox(i), twipsPerPixel_), FieldId(i));
        // Before the style engine subclasses the field, so a character
        // reaches the filter whichever way it is delivered.
        InstallKeyFilter(fields_[i]);
    }
    auto pixels = [&](const Box& twips) { return TwipsToPixels(twips, twipsPerPixel_); };
    confirmButton_ = CreateChild("Button", L"确认", kButtonStyle, 0, pixels(kConfirmButtonBox), kConfirmButtonId);
    exitButton_ = CreateChild("Button", L"退出", kButtonStyle, 0, pixels(kExitButtonBox), kExitButtonId);
    restoreButton_ = CreateChild("Button", L"还原", kButtonStyle, 0, pixels(kRestoreButtonBox), kRestoreButtonId);
    // 验证, the layout's hidden field: always empty, nothing reads it.
    CreateChild("Edit", L"", kFieldStyle, WS_EX_CLIENTEDGE, pixels(kHiddenFieldBox), kHiddenFieldId);
    return true;
}

LRESULT MainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam) {
                OnCommand(LOWORD(wParam), HIWORD(wParam));
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case kReportReadError:
            ReportReadError();
            return 0;
        case WM_TIMER:
            if (wParam == kLookAgainTimer) {
                KillTimer(Handle(), kLookAgainTimer);
                LookAtFolder(false);
                return 0;
            }
            if (wParam == kLookTimer) {
                if (IsWindowVisible(Handle())) LookAtFolder(false);
                // Wine may raise the main window without telling it of the
                // change (after a click on the drag band, as the keyboard
                // focus settles): the notice goes back above it.
                if (notice_ && !notice_->AboveMainWindow()) notice_->KeepAboveMainWindow(true);
                return 0;
            }
            break;
        case kFolderChanged:
            watch_.Rearm();
            OnFolderChanged();
            return 0;
        case kFolderLooked:
            if (std::unique_ptr<FolderFacts> facts = looker_.Take(lParam)) OnFolderFacts(*facts);
            if (lookAgain_) {
                lookAgain_ = false;
                LookAtFolder(false);
            }
            return 0;
        case WM_ACTIVATE:
            // Whatever a change notification may have missed (a game file
            // that was held and is free now) is seen when the player comes
            // back to the window.
            // The load handler has just looked when the window is first shown.
            if (LOWORD(wParam) != WA_INACTIVE && lookOnActivate_) {
                heldLooks_ = 0;
                LookAtFolder(false);
            }
            break;
        case WM_DEVICECHANGE:
            watch_.OnDeviceChange(wParam, lParam);
            return TRUE;
        case WM_WINDOWPOSCHANGED:
            // Moved in the stacking order (to the top, when it is
            // activated): the notice goes right above it again.
            if (notice_) notice_->KeepAboveMainWindow(false);
            break;
        case WM_DESTROY:
            KillTimer(Handle(), kLookTimer);
            KillTimer(Handle(), kLookAgainTimer);
            watch_.Stop();
            looker_.Stop();
            // Closing the shown main window in any way other than "退出"
            // (Alt+F4) ends the tool as well. Closed during start-up, it
            // leaves the message dialog running.
            if (shown_) PostQuitMessage(0);
            break;
        default:
            break;
    }
    return Form::WindowProc(message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code) {
    if (id >= FieldId(0) && id < FieldId(kFieldCount)) {
        if (code == EN_CHANGE) UpdateConfirmButton();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kConfirmButtonId: OnConfirm(); break;
        case kExitButtonId: OnExit(); break;
        case kRestoreButtonId: OnRestore(); break;
        default: break;
    }
}

void MainWindow::OnLeftButtonDown(POINT point) {
    if (LabelAt(labels_, point) == kDragBandLabel) OnDragBandPressed();
}

// Digits, and the control characters of a text field's editing keys:
// Backspace, and Ctrl+A, C, V, X and Z, which the field turns into select
// all, copy, paste, cut and undo. A paste passes each of its characters
// through here again, as if typed.
void MainWindow::FilterChildCharacter(HWND child, wchar_t& character) {
    if (FieldIndexOf(child) < 0) return;
    constexpr wchar_t kSelectAll = 1, kCopy = 3, kPaste = 22, kCut = 24, kUndo = 26;
    switch (character) {
        case VK_BACK:
        case kSelectAll:
        case kCopy:
        case kPaste:
        case kCut:
        case kUndo:
            return;
        default:
            if (character < L'0' || character > L'9') character = 0;
    }
}

void MainWindow::OnLoad() {
    // 1. Without the game file the tool is in the wrong folder: the main
    // window goes unseen and the message dialog says so.
    if (!fileio::FileExists(folder_.GameFile())) {
        Close();
        // Started as administrator from a mapped network drive: the cause
        // is named, since the folder is the game's all right.
        if (StartedElevatedFromUnseenDrive()) {
            ShowMessageBoxAlone(kMappedDriveUnseenText);
            return;
        }
        dialog_ = std::make_unique<MessageDialog>();
        if (dialog_->Create()) dialog_->Show();
        return;
    }

    // 2. "还原" only while a backup exists.
    EnableWindow(restoreButton_, BackupExists(folder_));
    hintStamp_ = fileio::StampOf(folder_.HintFile());

    // 3. The notice, unless the user switched it off.
    if (!NoticeSwitchedOff(folder_)) {
        notice_ = std::make_unique<NoticeWindow>(folder_);
        // It stays above the main window, which at a high DPI setting
        // would otherwise cover its check box.
        if (notice_->Create(Handle())) notice_->Show();
    }

    // 4. From here on the style engine draws the window.
    SkinWindow(Handle());

    // 5. Every pure green pixel becomes see-through.
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), kBackColour, 0, LWA_COLORKEY);

    // 6. The version tag: the 信息 text is what "确认" reads back. The
    // recognition converts the probe through code page 936 itself, so that
    // it comes out the same on every system, and the hidden field 验证 is
    // not needed as a buffer for it: it stays empty. Put there, the probe's
    // few dozen characters, most of them Chinese, from a dozen character
    // ranges had the system's text layout (Uniscribe, under Wine) analyse
    // them and keep glyph and width tables for each range, about 100 KiB of
    // private memory for a field nobody sees.
    readStamp_ = fileio::StampOf(folder_.GameFile());
    Recognition recognition = RecogniseGameFile(folder_.GameFile());
    SetLabelCaption(kStatusLabel, std::wstring(VersionTagText(recognition.version)));
    gameFileReadError_ = recognition.systemError;
    readPending_ = gameFileReadError_ != 0;
    seenStamp_ = readStamp_;
    seenAt_ = GetTickCount() - kQuietMs;
    if (gameFileReadError_) PostMessageA(Handle(), kReportReadError, 0, 0);

    // 7. Captions, see-through labels and typed-length limits, all from the
    // fields' table, which the messages about a refused value name too. The
    // limit stops typing only; text the program puts in is not cut.
    for (int i = 0; i < kFieldCount; ++i) {
        SetLabelCaption(FieldLabel(i), kFields[i].caption);
        SetLabelTransparent(FieldLabel(i), true);
    }
    SetLabelTransparent(kStatusLabel, true);
    for (int i = 0; i < kFieldCount; ++i) {
        SendMessageA(fields_[i], EM_LIMITTEXT, static_cast<WPARAM>(kFields[i].typedLimit), 0);
    }

    // 8. The values applied last time; each change updates "确认".
    CachedValues cached = ReadSettingsCache(folder_);
    for (int i = 0; i < kFieldCount; ++i) {
        if (cached[i]) SetWindowTextW(fields_[i], cached[i]->c_str());
    }
}

void MainWindow::OnConfirm() {
    // The tag "确认" reads is the file's as it is now, not as it was at
    // start-up: a file that was held then, or another version put in place.
    RecogniseVersionAgain(FolderLook(folder_));
    GameVersion version = VersionFromTag(labels_[kStatusLabel].caption);
    ShowResult(ApplyPatch(folder_, version, CurrentFieldTexts()));
}

void MainWindow::OnExit() { ExitProcess(0); }

void MainWindow::OnRestore() {
    // With the game folder gone (moved away, deleted, its disk removed),
    // the backup is out of reach, not lost.
    if (!fileio::FolderExists(folder_.Root())) {
        ShowMessageBox(Handle(), kGameFolderGoneText);
        return;
    }
    ShowResult(RestoreGameFile(folder_));
}

// "确认" is enabled exactly while no field is empty.
void MainWindow::UpdateConfirmButton() {
    bool allFilled = true;
    for (HWND field : fields_) {
        if (GetWindowTextLengthW(field) == 0) allFilled = false;
    }
    EnableWindow(confirmButton_, allFilled);
}

void MainWindow::OnDragBandPressed() {
    // The platform moves the window as if its caption had been grabbed.
    ReleaseCapture();
    SendMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    // A press without a move raises the main window on the screen without
    // telling it of a change in the stacking order: the notice goes back
    // above it, its check box and "关闭" in reach.
    if (notice_) notice_->KeepAboveMainWindow(true);
}

void MainWindow::OnFolderChanged() {
    // A look once the folder has been quiet for a moment; each further
    // change starts the wait again.
    heldLooks_ = 0;
    LookAgainIn(kQuietMs);
}

void MainWindow::LookAgainIn(UINT milliseconds) { SetTimer(Handle(), kLookAgainTimer, milliseconds, nullptr); }

void MainWindow::LookAtFolder(bool read) {
    if (!looker_.Running()) {
        FolderFacts facts;
        LookAtFolderNow(folder_, read, facts);
        OnFolderFacts(facts);
        return;
    }
    // One look at a time: one asked for meanwhile comes after it.
    if (!looker_.Look(read)) lookAgain_ = true;
}

void MainWindow::OnFolderFacts(const FolderFacts& facts) {
    if (facts.readAsked) {
        OnGameFileRead(facts);
    } else {
        OnFolderLooked(facts);
    }
}

void MainWindow::ShowStatus(std::wstring_view text) {
    if (labels_[kStatusLabel].caption != text) SetLabelCaption(kStatusLabel, std::wstring(text));
}

void MainWindow::OnFolderLooked(const FolderFacts& facts) {
    EnableWindow(restoreButton_, facts.backupThere);
    // The notice's check box follows the switch file another copy changed
    // (read here only once the looker saw it change). A folder gone took
    // its switch file with it: the box keeps what it showed.
    if (facts.folderThere && !(facts.hint == hintStamp_)) {
        hintStamp_ = facts.hint;
        if (notice_) notice_->ShowSavedSwitch();
    }
    // The watch let go of a removed device's folder: set again once the
    // folder is back.
    if (facts.folderThere && !watch_.Watching()) watch_.Restart();

    const fileio::FileStamp& game = facts.game;
    const bool missing = game.folder || game.error == ERROR_FILE_NOT_FOUND || game.error == ERROR_PATH_NOT_FOUND;
    if (!facts.folderThere || missing) {
        // Nothing to read: the line says so, and a game file that comes
        // back is read once it has settled.
        readStamp_ = seenStamp_ = game;
        readPending_ = false;
        ShowStatus(facts.folderThere ? kNoGameFileStatusText : kGameFolderGoneStatusText);
        return;
    }
    if (!game.IsFile()) return;  // the system cannot tell now: the next look will
    const DWORD now = GetTickCount();
    if (!(game == seenStamp_)) {
        seenStamp_ = game;
        seenAt_ = now;
        LookAgainIn(kQuietMs);
        return;
    }
    if (now - seenAt_ < kQuietMs) {
        LookAgainIn(kQuietMs - (now - seenAt_));
        return;
    }
    if (game == readStamp_ && !readPending_) return;
    LookAtFolder(true);
}

void MainWindow::OnGameFileRead(const FolderFacts& facts) {
    if (!facts.read) {
        // Another copy of the tool applies or restores, or the file went
        // meanwhile: looked at again in a moment.
        LookAgainIn(kLookAgainMs);
        return;
    }
    EnableWindow(restoreButton_, facts.backupThere);
    const unsigned long error = facts.readError;
    if (error) {
        // A file that cannot be read now (the game holds it, it is being
        // written) leaves the line as it was until it can be; "确认" then
        // says what stands in the way.
        readPending_ = true;
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            LookAgainIn(heldLooks_++ < kMaxHeldLooks ? kLookAgainMs : kHeldLookSlowMs);
        }
        return;
    }
    heldLooks_ = 0;
    readPending_ = false;
    readStamp_ = seenStamp_ = facts.game;
    ShowStatus(VersionTagText(facts.version));
}

void MainWindow::RecogniseVersionAgain(const FolderLook& look) {
    // A file that cannot be read now leaves the line as it was, and so
    // does another copy at work in the folder; "确认" then says what stands
    // in the way.
    if (!look.NoOtherCopyAtWork()) return;
    Recognition recognition = RecogniseGameFile(folder_.GameFile());
    if (!recognition.systemError) ShowStatus(VersionTagText(recognition.version));
}

void MainWindow::ReportReadError() {
    // The version could not be recognised because the file could not be
    // read, which the status line alone would not tell.
    ShowMessageBox(Handle(), GameFileUnreadableText(OutcomeForError(gameFileReadError_, folder_.GameFile(), true),
                                                    gameFileReadError_));
}

void MainWindow::ShowResult(const OperationResult& result) {
    ShowMessageBox(Handle(), OperationText(result));
    // "还原" is there to use while a backup is.
    EnableWindow(restoreButton_, BackupExists(folder_));
    // A refused value: the field in question gets the focus.
    if (result.outcome == Outcome::InvalidValue && result.field >= 0 && result.field < kFieldCount) {
        SetFocus(fields_[result.field]);
        SendMessageA(fields_[result.field], EM_SETSEL, 0, -1);
    }
}

FieldTexts MainWindow::CurrentFieldTexts() const {
    FieldTexts texts;
    for (int i = 0; i < kFieldCount; ++i) texts[i] = GetWindowTextString(fields_[i]);
    return texts;
}

int MainWindow::FieldIndexOf(HWND child) const {
    for (int i = 0; i < kFieldCount; ++i) {
        if (fields_[i] == child) return i;
    }
    return -1;
}

}  // namespace tarnwick
