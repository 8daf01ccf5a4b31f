#include "style/behave/kind_table.h"

#include "style/behave/combo_box.h"
#include "style/behave/flatten_client_edge.h"
#include "style/behave/header_control.h"
#include "style/behave/hover.h"
#include "style/behave/plain_controls.h"
#include "style/behave/push_button.h"
#include "style/behave/redraw_control.h"
#include "style/behave/toggle_buttons.h"
#include "style/paint/toggle_painters.h"

namespace tarnwick {
namespace {

constexpr KindBehaviour kOther{
    .paintFrame = FlattenClientEdge,
    .enabled = RedrawControl,
};

// A form looks the same enabled or not; it is disabled while its message
// boxes are open, and redrawing it all then would cost.
constexpr KindBehaviour kForm{
    .holdsControls = true,
    .paintFrame = FlattenClientEdge,
};

constexpr KindBehaviour kPushButton{
    .attach = AttachPushButton,
    .detach = DetachPushButton,
    .paint = PaintPushButton,
    .paintFrame = FlattenClientEdge,
    .tickFirst = TickPushButtonFade,
    .buttonUpFirst = ReleasePushButtonClick,
    .spaceUpFirst = ReleasePushButtonSpace,
    .styleFirst = KeepPushButtonOwnerDrawn,
    .resized = ResizePushButton,
    .focusChanged = RefocusPushButton,
    .enabled = EnablePushButton,
    .spaceDown = PressPushButton,
    .buttonDown = PressPushButtonAt,
    .doubleClick = PressPushButtonAt,
    .mouseMove = HoverPushButton,
    .mouseLeave = LeavePushButton,
};

constexpr KindBehaviour kComboBox{
    .attach = AttachHoverState,
    .detach = DetachHoverState,
    .paint = PaintComboBox,
    .paintFrame = FlattenClientEdge,
    .enabled = RedrawControl,
    .moving = RedrawComboButton,
    .buttonDown = PressComboBox,
    .buttonUp = ReleaseComboButton,
    .mouseMove = HoverComboBox,
    .mouseLeave = LeaveComboButton,
};

constexpr KindBehaviour kDriveList{
    .attach = AttachHoverState,
    .detach = DetachHoverState,
    .paint = PaintDropDownOverlay,
    .paintFrame = FlattenClientEdge,
    .enabled = RedrawControl,
    .moving = RedrawComboButton,
    .buttonDown = PressDriveList,
    .buttonUp = ReleaseComboButton,
    .mouseMove = HoverDriveList,
    .mouseLeave = LeaveComboButton,
};

// Check boxes and option buttons do the same, each with its own painter;
// an option button is drawn again when it gains or loses the focus.
template <TogglePainter Paint>
constexpr KindBehaviour ToggleBehaviour(bool redrawnOnFocus) {
    return {
        .attach = AttachHoverState,
        .detach = DetachHoverState,
        .paint = PaintToggle<Paint>,
        .paintFrame = FlattenClientEdge,
        .focusChanged = redrawnOnFocus ? RedrawToggle<Paint> : nullptr,
        .enabled = RedrawControl,
        .spaceDown = PressToggle<Paint>,
        .spaceUp = ReleaseToggle<Paint>,
        .buttonDown = PressToggleAt<Paint>,
        .buttonUp = ReleaseToggle<Paint>,
        .mouseMove = HoverToggle<Paint>,
        .mouseLeave = LeaveToggle<Paint>,
        .paintToggle = Paint,
    };
}

constexpr KindBehaviour kCheckBox = ToggleBehaviour<PaintCheckBox>(false);
constexpr KindBehaviour kOptionButton = ToggleBehaviour<PaintOptionButton>(true);

constexpr KindBehaviour kProgressBar{
    .paint = PaintProgressBar,
    .paintFrame = PaintProgressBarFrame,
    .enabled = RedrawControl,
};

constexpr KindBehaviour kHeader{
    .attach = AttachHeader,
    .detach = DetachHeader,
    .paint = PaintHeaderControl,
    .paintFrame = FlattenClientEdge,
    .enabled = RedrawControl,
    .buttonDown = PressHeaderItem,
    .doubleClick = PressHeaderItem,
    .buttonUp = ReleaseHeaderItem,
    .mouseMove = HoverHeader,
    .mouseLeave = LeaveHeader,
};

// A data list keeps its own frame: its WM_NCPAINT goes on untouched.
constexpr KindBehaviour kDataList{
    .paint = PaintListFrame,
    .enabled = RedrawControl,
};

constexpr KindBehaviour kComboList{
    .paint = PaintListFrame,
    .paintFrame = FlattenClientEdge,
    .enabled = RedrawControl,
};

constexpr KindBehaviour kGrid{
    .paint = PaintGridFrame,
    .paintFrame = FlattenClientEdge,
    .enabled = RedrawControl,
};

}  // namespace

const KindBehaviour& BehaviourOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Form: return kForm;
        case ControlKind::PushButton: return kPushButton;
        case ControlKind::ComboBox: return kComboBox;
        case ControlKind::DriveList: return kDriveList;
        case ControlKind::CheckBox: return kCheckBox;
        case ControlKind::OptionButton: return kOptionButton;
        case ControlKind::ProgressBar: return kProgressBar;
        case ControlKind::Header: return kHeader;
        case ControlKind::DataList: return kDataList;
        case ControlKind::ComboList: return kComboList;
        case ControlKind::Grid: return kGrid;
        case ControlKind::Other: break;
    }
    return kOther;
}

}  // namespace tarnwick
