#include "style/skin.h"

#include "style/behave/attach.h"
#include "style/draw/sprites.h"
#include "style/model/engine_state.h"
#include "win32/system_library.h"

namespace tarnwick {

bool SkinWindow(HWND window) {
    EngineState& engine = Engine();
    if (!engine.initialised) {
        // Once per life of the engine: it starts afresh after the last
        // attached window has gone.
        engine.initialised = true;
        engine.trackMouseFromUser32 = User32TracksMouse();
        BuildSprites();
    }
    return AttachWindow(window);
}

}  // namespace tarnwick
