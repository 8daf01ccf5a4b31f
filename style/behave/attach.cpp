#include "style/behave/attach.h"

#include "style/behave/dispatch.h"
#include "style/behave/kind_table.h"
#include "style/behave/style_message.h"
#include "style/draw/sprites.h"
#include "style/model/control_kind.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "win32/subclass.h"

namespace tarnwick {
namespace {

bool BelongsToThisThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

BOOL CALLBACK AttachChild(HWND child, LPARAM) {
    AttachWindow(child);
    return TRUE;  // always visit every descendant
}

BOOL CALLBACK DetachChild(HWND child, LPARAM) {
    DetachWindow(child);
    return TRUE;
}

// Draws the frame at once through the procedure now in place, and queues
// a paint of the whole window. A window that is not on the screen (the
// main window's controls while it is still being built) is left alone: it
// gets its frame and its paint when it is shown.
void RepaintWholeWindow(HWND window) {
    if (!IsWindowVisible(window)) return;
    SendMessageA(window, WM_NCPAINT, 1, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}

void ResetEngine() {
    EngineState& engine = Engine();
    engine.attachCount = 0;
    DeleteSprites();  // the DCs and the bitmaps they hold
    engine.initialised = false;
}

// WM_ACTIVATE: the other window of the change is attached when it is a
// message box or dialog this window opened (its child or owned window) or
// another form.
void AttachActivatedWindow(HWND window, HWND other) {
    if (other == nullptr) return;
    if (GetParent(other) == window || ClassifyWindowHandle(other) == ControlKind::Form) AttachWindow(other);
}

}  // namespace

bool AttachWindow(HWND window) {
    if (window == nullptr) return false;
    if (IsAttached(window)) return false;
    if (!BelongsToThisThread(window)) return false;

    const KindBehaviour& kind = BehaviourOf(ClassifyWindowHandle(window));
    if (kind.holdsControls) EnumChildWindows(window, AttachChild, 0);
    if (kind.attach != nullptr) kind.attach(window);

    ++Engine().attachCount;
    const WNDPROC previous = ReplaceWindowProc(window, &StyleWndProc);
    SetHandleProp(window, kPropProcAddr, previous);

    RepaintWholeWindow(window);
    return true;
}

bool DetachWindow(HWND window) {
    if (window == nullptr) return false;
    const auto saved = GetHandleProp<WNDPROC>(window, kPropProcAddr);
    if (saved == nullptr) return false;

    const KindBehaviour& kind = BehaviourOf(ClassifyWindowHandle(window));
    if (kind.holdsControls) EnumChildWindows(window, DetachChild, 0);
    if (kind.detach != nullptr) kind.detach(window);

    RemovePropA(window, kPropProcAddr);
    ReplaceWindowProc(window, saved);
    ++Engine().detachments;
    RepaintWholeWindow(window);

    if (--Engine().attachCount <= 0) ResetEngine();
    return true;
}

LRESULT CALLBACK StyleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) return 0;
    const auto saved = GetHandleProp<WNDPROC>(window, kPropProcAddr);
    if (saved == nullptr) return DefaultWindowProc(window, message, wParam, lParam);
    const StyleMessage m{saved, window, message, wParam, lParam};

    switch (message) {
        case WM_DESTROY:
            // A form with all its descendants, before its own procedure sees
            // the message.
            DetachWindow(window);
            return m.Forward();
        case WM_ACTIVATE:
            AttachActivatedWindow(window, reinterpret_cast<HWND>(lParam));
            return m.Forward();
        case WM_ENTERIDLE:
        case WM_CTLCOLORLISTBOX: {
            // An idle dialog or message box that this window opened, or a
            // combo box's drop-down list asking for its colours.
            const LRESULT result = m.Forward();
            if (lParam != 0) AttachWindow(reinterpret_cast<HWND>(lParam));
            return result;
        }
        default:
            return DispatchByKind(m);
    }
}

}  // namespace tarnwick
