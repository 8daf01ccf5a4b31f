#pragma once
// State the engine shares between all windows: one record for the process,
// touched only on the GUI thread.
#include <windows.h>

#include <cstdint>

namespace tarnwick {

struct EngineState {
    // Set by SkinWindow once it has probed the mouse-tracking entry and built
    // the sprites; cleared when the last attached window is detached.
    bool initialised = false;
    // True when user32 exports TrackMouseEvent; false means comctl32's
    // _TrackMouseEvent is used instead.
    bool trackMouseFromUser32 = false;
    // The five sprite surfaces (memory DCs owning their bitmaps); null while
    // the engine is not initialised. Built by BuildSprites, freed by
    // DeleteSprites.
    HDC buttonSprite = nullptr;       // 7 x 84
    HDC comboButtonSprite = nullptr;  // 15 x 18
    HDC markSprite = nullptr;         // 18 x 24
    HDC roundSprite = nullptr;        // 13 x 52
    HDC headerSprite = nullptr;       // 9 x 20
    // Windows attached and not yet detached (+1 per attach that subclasses,
    // -1 per detach that restores).
    std::int32_t attachCount = 0;
    // Windows detached so far, never reset: a handler that handed a message
    // to a window's own procedure asks whether the window is still attached
    // only when this has changed meanwhile (its click may have closed it).
    std::uint32_t detachments = 0;
};

// The process's one engine record.
EngineState& Engine();

}  // namespace tarnwick
