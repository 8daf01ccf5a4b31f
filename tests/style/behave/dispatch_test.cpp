// The dispatch's paint and frame handlers release every DC and surface they
// take: a few hundred repaints of each kind leave no more live GDI objects
// than one.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "style/behave/fade.h"
#include "style/model/button_properties.h"
#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/test_windows.h"
#include "tests/style/behave/dispatch_hook.h"

namespace tarnwick {
namespace {

HWND Routed(HWND host, const char* className, const char* text, DWORD style, DWORD exStyle, int x, int y, int w,
            int h) {
    HWND window = test::CreateTestChild(host, className, text, style, exStyle, x, y, w, h);
    test::PumpMessages();
    test::RoutePaintThroughKind(window);
    return window;
}

TEST(PaintHandlerGdiHygiene, RepaintsLeaveNoObjectsBehind) {
    test::LoadCommonControls();
    test::RegisterSuperclass("ProgressBar20WndClass", "msctls_progress32");
    test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
    test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
    test::RegisterSuperclass("DataListWndClass", "ListBox");
    test::RegisterTestClass("ApexGridHygiene");
    test::SpriteScope sprites;
    test::TestWindow host(test::CreateHostWindow(40, 40, 420, 300));
    HWND h = host.get();

    HWND button = CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 75, 23, h, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    test::ButtonStateImages images(button);
    SendMessageA(button, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
    SetIntProp(button, kPropOldStyle, BS_PUSHBUTTON);
    RenderButtonStates(button);
    test::RoutePaintThroughKind(button);

    HWND progress = Routed(h, "ProgressBar20WndClass", "", WS_BORDER, 0, 100, 10, 200, 16);
    SendMessageA(progress, PBM_SETRANGE32, 0, 30000);
    SendMessageA(progress, PBM_SETPOS, 12000, 0);
    HWND vertical = Routed(h, "ProgressBar20WndClass", "", WS_BORDER | PBS_VERTICAL | PBS_SMOOTH, 0, 320, 10, 20, 100);
    SendMessageA(vertical, PBM_SETRANGE32, 0, 30000);
    SendMessageA(vertical, PBM_SETPOS, 12000, 0);
    HWND header = Routed(h, "SysHeader32", "", HDS_BUTTONS | HDS_HORZ, 0, 10, 40, 200, 20);
    for (int i = 0; i < 3; ++i) {
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = const_cast<char*>("\xC3\xFB\xB3\xC6");
        item.cxy = 60;
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SetIntProp(header, kPropHeaderDownIndex, 1);
    SetIntProp(header, kPropHeaderHotIndex, 2);

    struct Target {
        const char* name;
        HWND window;
    };
    const Target targets[] = {
        {"owner-drawn push button", button},
        {"progress bar", progress},
        {"vertical progress bar", vertical},
        {"header", header},
        {"editable combo box", Routed(h, "ComboBox", "", CBS_DROPDOWN | WS_VSCROLL, 0, 10, 70, 120, 120)},
        {"drop-down list", Routed(h, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 140, 70, 120, 120)},
        {"check box", Routed(h, "ThunderRT6CheckBox", "A", BS_AUTOCHECKBOX, 0, 10, 100, 100, 24)},
        {"option button", Routed(h, "ThunderRT6OptionButton", "B", BS_AUTORADIOBUTTON, 0, 10, 130, 100, 24)},
        {"data list", Routed(h, "DataListWndClass", "", WS_BORDER, 0, 120, 100, 100, 60)},
        {"grid", Routed(h, "ApexGridHygiene", "", WS_BORDER, 0, 230, 100, 100, 60)},
        {"value field", Routed(h, "Edit", "250", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 170, 100, 24)},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.name);
        std::string report;
        EXPECT_EQ(test::GdiGrowthOver(
                      200,
                      [&] {
                          if (t.window == button) {
                              PushButtonProperties properties(button);
                              StartFadeTimer(properties);
                              properties.Store();
                          }
                          test::RepaintNow(t.window);
                      },
                      &report),
                  0)
            << report;
    }
}

}  // namespace
}  // namespace tarnwick
