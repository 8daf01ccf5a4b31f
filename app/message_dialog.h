#pragma once
// The message dialog (系统信息) shown instead of the main window when the
// tool is not started in the game folder. Closing it ends the tool, since it
// is then the only window left.
#include <windows.h>

#include "form/form.h"

namespace tarnwick {

namespace message_dialog_layout {
inline constexpr int kClientWidth = 4095;   // twips
inline constexpr int kClientHeight = 1200;  // twips
inline constexpr int kConfirmButtonId = 100;
inline constexpr Box kTextBox{240, 240, 3735, 495};
inline constexpr Box kConfirmButtonBox{1320, 720, 1455, 375};
}  // namespace message_dialog_layout

class MessageDialog : public Form {
public:
    MessageDialog() = default;
    ~MessageDialog() override;

    // Creates the dialog, centred and hidden, and runs its load handler.
    bool Create();
    void Show();

    HWND ConfirmButton() const { return confirmButton_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnLoad();
    void OnConfirm();

    HWND confirmButton_ = nullptr;
};

}  // namespace tarnwick
