// Draws the engine's look into two pictures for a person to inspect:
// style_sprites.bmp, the sprites enlarged and their faces at control size,
// and painters_preview.bmp, one control of every kind the painters serve in
// several states. usage: style_preview [folder] (the working folder when
// none is given).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/sprite_cells.h"
#include "style/draw/sprites.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "style/paint/toggle_painters.h"
#include "tests/style/behave/dispatch_hook.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

// The sprites enlarged, key colour shown as magenta, and the faces at
// control size.
bool WriteSpriteSheet(const std::wstring& path) {
    BuildSprites();
    const EngineState& e = Engine();
    test::DibCanvas sheet(200, 100, 0x00F0F0F0);
    // The raw sprites, key colour shown as magenta.
    int x = 2;
    struct Raw {
        HDC dc;
        int w;
        int h;
    };
    for (Raw r : {Raw{e.buttonSprite, 7, 84}, Raw{e.comboButtonSprite, 15, 18}, Raw{e.markSprite, 18, 24},
                  Raw{e.roundSprite, 13, 52}, Raw{e.headerSprite, 9, 20}}) {
        BitBlt(sheet.dc(), x, 2, r.w, r.h, r.dc, 0, 0, SRCCOPY);
        x += r.w + 3;
    }
    // Faces at control size on a form-coloured background.
    FillSolid(sheet.dc(), 75, 0, 125, 100, White);
    for (int s = 0; s < 4; ++s) {
        StretchSprite(sheet.dc(), 78, 2 + 24 * s, 60, 22, e.buttonSprite,
                      ButtonFaceCell(static_cast<VisualState>(s)), kButtonFaceMargins);
        StretchSprite(sheet.dc(), 142, 2 + 24 * s, 13, 13, e.roundSprite,
                      RoundFrameCell(static_cast<VisualState>(s)), kRoundFrameMargins, SpriteKeyColour);
    }
    BlitTransparent(sheet.dc(), 145, 5, 5, 5, e.markSprite, kDotEnabled.left, kDotEnabled.top, SpriteKeyColour);
    StretchSprite(sheet.dc(), 158, 2, 18, 19, e.comboButtonSprite, kComboFaceHot, kComboFaceMargins);
    StretchSprite(sheet.dc(), 158, 26, 18, 19, e.comboButtonSprite, kComboFacePressed, kComboFaceMargins);
    for (int y : {2, 26}) {
        BlitTransparent(sheet.dc(), 163, y + 8, 7, 4, e.comboButtonSprite, 8, 0, SpriteKeyColour);
    }
    for (int s = 0; s < 3; ++s) {
        StretchSprite(sheet.dc(), 158, 50 + 16 * s, 40, 15, e.headerSprite,
                      HeaderFaceCell(static_cast<VisualState>(s)), kHeaderFaceMargins);
    }
    FrameSolid(sheet.dc(), 179, 2, 13, 13, BorderColourEnabled);
    BlitTransparent(sheet.dc(), 181, 4, 9, 8, e.markSprite, 0, 0, SpriteKeyColour);
    const bool saved = sheet.SaveBmp(path.c_str(), 4);
    DeleteSprites();
    return saved;
}

// One control of every kind, painted through its kind's handlers.
bool WritePaintersPreview(const std::wstring& path) {
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
        test::RoutePaintThroughKind(window);
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
    return picture->SaveBmp(path.c_str(), 2);
}

}  // namespace
}  // namespace tarnwick

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = argc > 1 ? std::wstring(argv[1]) + L"\\" : std::wstring();
    bool written = true;
    for (const auto& [name, write] : {std::pair{L"style_sprites.bmp", &tarnwick::WriteSpriteSheet},
                                      std::pair{L"painters_preview.bmp", &tarnwick::WritePaintersPreview}}) {
        if (!write(folder + name)) {
            std::fwprintf(stderr, L"style_preview: cannot write %ls%ls\n", folder.c_str(), name);
            written = false;
        }
    }
    return written ? 0 : 1;
}
