#pragma once
// The main window (主窗口): a caption-less, colour-keyed picture with the
// fifteen value fields, their labels, the status line and three buttons.
#include <windows.h>

#include <array>
#include <memory>
#include <string_view>

#include "app/folder_looker.h"
#include "app/game_folder_watch.h"
#include "core/disk/file_stamp.h"
#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/result.h"
#include "form/form.h"
#include "form/dpi_scale.h"

namespace tarnwick {

class FolderLook;
class MessageDialog;
class NoticeWindow;

class MainWindow : public Form {
public:
    // Label indexes: the drag band 移动, the status line 信息, then the fifteen field labels.
    static constexpr int kDragBandLabel = 0;
    static constexpr int kStatusLabel = 1;
    static constexpr int FieldLabel(int index) { return 2 + index; }

    explicit MainWindow(GameFolder folder = {});
    ~MainWindow() override;

    // Creates the window and its items, runs the load handler and shows the
    // window, unless the load handler closed it (game file missing). Returns
    // false only when the window could not be created.
    bool Start();
    // Creates the window and its items without running the load handler.
    bool CreateLayout();

    HWND Field(int index) const { return fields_[static_cast<size_t>(index)]; }
    HWND ConfirmButton() const { return confirmButton_; }
    HWND ExitButton() const { return exitButton_; }
    HWND RestoreButton() const { return restoreButton_; }
    NoticeWindow* Notice() const { return notice_.get(); }
    MessageDialog* Dialog() const { return dialog_.get(); }

    // A field takes digits and its editing keys only.
    void FilterChildCharacter(HWND child, wchar_t& character) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnLoad();
    void OnConfirm();
    void OnExit();
    void OnRestore();
    void UpdateConfirmButton();
    void OnDragBandPressed();  // 移动, with the left button
    // The backup and the game file looked at again, off this thread:
    // "还原" and the status line show what the folder holds now.
    void OnFolderChanged();
    void LookAtFolder(bool read);
    void OnFolderFacts(const FolderFacts& facts);
    void OnFolderLooked(const FolderFacts& facts);
    void OnGameFileRead(const FolderFacts& facts);
    void LookAgainIn(UINT milliseconds);
    void RecogniseVersionAgain(const FolderLook& look);
    void ShowStatus(std::wstring_view text);

    void OnCommand(int id, int code);
    void OnLeftButtonDown(POINT point);
    void ReportReadError();
    void ShowResult(const OperationResult& result);
    FieldTexts CurrentFieldTexts() const;
    int FieldIndexOf(HWND child) const;

    GameFolder folder_;
    double twipsPerPixel_ = kStandardTwipsPerPixel;
    std::array<HWND, kFieldCount> fields_{};
    HWND confirmButton_ = nullptr;     // "确认"
    HWND exitButton_ = nullptr;        // "退出"
    HWND restoreButton_ = nullptr;     // "还原"
    unsigned long gameFileReadError_ = 0;
    bool shown_ = false;  // past start-up: closing the window ends the tool
    GameFolderWatch watch_;
    FolderLooker looker_;
    bool lookOnActivate_ = false;  // shown and watching: activation looks at the folder again
    bool lookAgain_ = false;       // a look was asked for while one was under way
    int heldLooks_ = 0;            // looks again in a row at a game file another program holds
    // The game file's stamp when it was last read (the status line shows
    // that read), and the stamp last seen with the time it was first seen:
    // a file is read only once its stamp has stayed the same for a moment.
    fileio::FileStamp readStamp_;
    bool readPending_ = false;  // the last read failed: it is tried again
    fileio::FileStamp seenStamp_;
    DWORD seenAt_ = 0;
    fileio::FileStamp hintStamp_;  // the notice switch file, as last seen
    std::unique_ptr<NoticeWindow> notice_;
    std::unique_ptr<MessageDialog> dialog_;
};

}  // namespace tarnwick
