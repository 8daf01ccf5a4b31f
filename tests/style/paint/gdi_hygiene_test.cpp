// The painters release every DC, surface, brush and selection they take:
// a few hundred calls of each leave no more live GDI objects than one.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "style/paint/combo_painter.h"
#include "style/paint/header_painter.h"
#include "style/paint/toggle_painters.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

TEST(PainterGdiHygiene, PaintersLeaveNoObjectsBehind) {
    test::LoadCommonControls();
    test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
    test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
    test::SpriteScope sprites;
    test::TestWindow host(test::CreateHostWindow(40, 40, 400, 200));
    HWND button = test::CreateTestChild(host.get(), "Button", "\xC8\xB7\xC8\xCF", BS_PUSHBUTTON, 0, 10, 10, 75, 23);
    HWND combo = test::CreateTestChild(host.get(), "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 100, 10, 120, 120);
    HWND check = test::CreateTestChild(host.get(), "ThunderRT6CheckBox", "A", BS_AUTO3STATE, 0, 10, 50, 100, 24);
    HWND option =
        test::CreateTestChild(host.get(), "ThunderRT6OptionButton", "B", BS_AUTORADIOBUTTON, 0, 10, 80, 100, 24);
    HWND header = test::CreateTestChild(host.get(), "SysHeader32", "", HDS_BUTTONS | HDS_HORZ, 0, 10, 120, 200, 20);
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = const_cast<char*>("\xC3\xFB\xB3\xC6");
    item.cxy = 90;
    SendMessageA(header, HDM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(option, BM_SETCHECK, BST_CHECKED, 0);
    test::PumpMessages();

    test::ButtonStateImages images(button);
    test::DibCanvas canvas(220, 40);
    int state = 0;
    const auto next = [&state] { return static_cast<VisualState>(state++ % 3); };

    struct Operation {
        const char* name;
        std::function<void()> run;
    };
    const Operation operations[] = {
        {"RenderButtonStates", [&] { RenderButtonStates(button); }},
        {"BlendButtonImage into a DC", [&] { BlendButtonImage(button, canvas.dc(), images.Image(1), 128); }},
        {"BlendButtonImage onto the window", [&] { BlendButtonImage(button, nullptr, images.Image(1), 128); }},
        {"PaintComboButton into a DC", [&] { PaintComboButton(combo, canvas.dc(), next(), true); }},
        {"PaintComboButton onto the window", [&] { PaintComboButton(combo, nullptr, next(), true); }},
        {"PaintCheckBox", [&] { PaintCheckBox(check, next(), true); }},
        {"PaintCheckBox, indeterminate and disabled",
         [&] {
             SendMessageA(check, BM_SETCHECK, BST_INDETERMINATE, 0);
             EnableWindow(check, FALSE);
             PaintCheckBox(check, next(), true);
             EnableWindow(check, TRUE);
         }},
        {"PaintCheckBox, skipped", [&] { PaintCheckBox(check, VisualState::Normal, false); }},
        {"PaintOptionButton", [&] { PaintOptionButton(option, next(), true); }},
        {"PaintHeaderItem into a DC", [&] { PaintHeaderItem(header, canvas.dc(), 0, next()); }},
        {"PaintHeaderItem onto the window", [&] { PaintHeaderItem(header, nullptr, 0, next()); }},
    };
    for (const Operation& op : operations) {
        SCOPED_TRACE(op.name);
        std::string report;
        EXPECT_EQ(test::GdiGrowthOver(300, op.run, &report), 0) << report;
    }
}

}  // namespace
}  // namespace tarnwick
