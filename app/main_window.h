#pragma once
// The main window (主窗口): a caption-less, colour-keyed picture with the
// fifteen value fields, their labels, the status line and three buttons.
#include <windows.h>

#include <array>
#include <memory>

#include "core/fields.h"
#include "core/game_folder.h"
#include "core/result.h"
#include "form/form.h"

namespace tarnwick {

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
    HWND Command1() const { return command1_; }
    HWND Command2() const { return command2_; }
    HWND Command3() const { return command3_; }
    HWND Probe() const { return probe_; }
    NoticeWindow* Notice() const { return notice_.get(); }
    MessageDialog* Dialog() const { return dialog_.get(); }

    void ChildKeyPress(HWND child, int& keyAscii) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void T1_Change(int index);
    void T1_KeyPress(int index, int& keyAscii);
    void DragBand_MouseDown(int button, int shift, int x, int y);  // 移动

    void OnCommand(int id, int code);
    void OnMouseDown(UINT message, WPARAM keys, POINT point);
    void ReportReadError();
    void ShowResult(const OperationResult& result);
    FieldTexts CurrentFieldTexts() const;
    int FieldIndexOf(HWND child) const;

    GameFolder folder_;
    double twipsPerPixel_ = 15;
    std::array<HWND, kFieldCount> fields_{};
    HWND command1_ = nullptr;  // "确认"
    HWND command2_ = nullptr;  // "退出"
    HWND command3_ = nullptr;  // "还原"
    HWND probe_ = nullptr;     // 验证
    unsigned long gameFileReadError_ = 0;
    bool shown_ = false;  // past start-up: closing the window ends the tool
    std::unique_ptr<NoticeWindow> notice_;
    std::unique_ptr<MessageDialog> dialog_;
};

}  // namespace tarnwick
