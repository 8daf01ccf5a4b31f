// Paints one control of every kind the painters serve, in several states,
// and writes the picture to painters_preview.bmp in the working folder so
// that the look can be inspected.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "style/behave/dispatch.h"
#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "style/paint/toggle_painters.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

TEST(PaintersPreview, WritesAPictureOfEveryKind) {
    test::LoadCommonControls();
    test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
    test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
    test::RegisterSuperclass("ProgressBar20WndClass", "msctls_progress32");
    test::SpriteScope sprites;
    test::TestWindow host(test::CreateHostWindow(20, 20, 440, 330));
    std::vector<std::unique_ptr<test::ButtonStateImages>> images;

    auto child = [&](const char* className, const char* text, DWORD style, DWORD exStyle, int x, int y, int w,
                     int h) { return test::CreateTestChild(host.get(), className, text, style, exStyle, x, y, w, h); };
    auto routed = [&](HWND window) {
        test::RoutePaintMessages(window, HandlePaint, HandleNcPaint);
        return window;
    };

    // Push buttons: Normal, Hot, Pressed, Disabled.
    const char* captions[] = {"\xC8\xB7\xC8\xCF", "\xBB\xB9\xD4\xAD", "\xCD\xCB\xB3\xF6", "\xC8\xB7\xC8\xCF"};
    for (int s = 0; s < 4; ++s) {
        HWND button = child("Button", captions[s], BS_PUSHBUTTON, 0, 10 + 90 * s, 10, 75, 23);
        images.push_back(std::make_unique<test::ButtonStateImages>(button));
        SetIntProp(button, kPropOldStyle, BS_PUSHBUTTON);
        SendMessageA(button, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
        if (s == 3) EnableWindow(button, FALSE);
        if (s == 0) SetFocus(button);
        RenderButtonStates(button);
        SetIntProp(button, kPropOldState, s);
        routed(button);
    }
    // Combo boxes: editable and hot, drop-down list pressed, disabled list.
    const DWORD comboStyles[] = {CBS_DROPDOWN, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST};
    for (int i = 0; i < 3; ++i) {
        HWND combo = child("ComboBox", "", comboStyles[i] | WS_VSCROLL, 0, 10 + 140 * i, 45, 120, 150);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("1.08"));
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        SetIntProp(combo, kPropOldState, i == 0 ? 1 : i == 1 ? 2 : 0);
        if (i == 2) EnableWindow(combo, FALSE);
        routed(combo);
    }
    // Check boxes and option buttons: states 0, 1, 2 and a disabled one.
    std::vector<std::pair<HWND, int>> toggles;
    const int checks[] = {0, 1, 2, 1};
    for (int i = 0; i < 4; ++i) {
        HWND check = child("ThunderRT6CheckBox", "\xB2\xBB\xD4\xD9\xCF\xD4\xCA\xBE", BS_AUTO3STATE, 0, 10 + 105 * i,
                           80, 100, 22);
        SendMessageA(check, BM_SETCHECK, checks[i], 0);
        HWND option = child("ThunderRT6OptionButton", "\xD1\xA1\xCF\xEE", BS_RADIOBUTTON, 0, 10 + 105 * i, 106, 100,
                            22);
        SendMessageA(option, BM_SETCHECK, i % 2 == 0 ? 1 : 0, 0);
        if (i == 3) {
            EnableWindow(check, FALSE);
            EnableWindow(option, FALSE);
        }
        toggles.emplace_back(routed(check), i == 3 ? 0 : i);
        toggles.emplace_back(routed(option), i == 3 ? 0 : i);
    }
    // A header with item 0 pressed and item 1 hot.
    HWND header = child("SysHeader32", "", HDS_BUTTONS | HDS_HORZ, 0, 10, 140, 300, 20);
    const char* columns[] = {"\xC3\xFB\xB3\xC6", "\xCA\xFD\xC1\xBF", "\xCB\xB5\xC3\xF7"};
    for (int i = 0; i < 3; ++i) {
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = const_cast<char*>(columns[i]);
        item.cxy = 90;
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SetIntProp(header, kPropHeaderDownIndex, 0);
    SetIntProp(header, kPropHeaderHotIndex, 1);
    routed(header);
    // Progress bars: half and full horizontal, vertical smooth and in blocks.
    const int positions[] = {15000, 30000};
    for (int i = 0; i < 2; ++i) {
        HWND bar = child("ProgressBar20WndClass", "", WS_BORDER, 0, 10, 175 + 25 * i, 200, 16);
        SendMessageA(bar, PBM_SETRANGE32, 0, 30000);
        SendMessageA(bar, PBM_SETPOS, positions[i], 0);
        routed(bar);
    }
    for (int i = 0; i < 2; ++i) {
        HWND bar = child("ProgressBar20WndClass", "", WS_BORDER | PBS_VERTICAL | (i ? PBS_SMOOTH : 0), 0,
                         230 + 30 * i, 175, 20, 100);
        SendMessageA(bar, PBM_SETRANGE32, 0, 30000);
        SendMessageA(bar, PBM_SETPOS, 10000, 0);
        routed(bar);
    }
    // Value fields with the client edge, enabled and disabled.
    routed(child("Edit", "250", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 230, 80, 21));
    HWND disabledEdit = routed(child("Edit", "100", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 100, 230, 80, 21));
    EnableWindow(disabledEdit, FALSE);

    test::PumpMessages();
    test::RepaintNow(host.get());
    for (auto [window, state] : toggles) {
        if (GetIntProp(window, kPropOldState) != state || state != 0) {
            if ((GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_RADIOBUTTON) {
                PaintOptionButton(window, static_cast<VisualState>(state), true);
            } else {
                PaintCheckBox(window, static_cast<VisualState>(state), true);
            }
        }
    }
    auto picture = test::CaptureWindow(host.get());
    EXPECT_TRUE(picture->SaveBmp(L"painters_preview.bmp", 2));
}

}  // namespace
}  // namespace tarnwick
