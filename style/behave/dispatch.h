#pragma once
// The control messages of attached windows, handed to the window's kind:
// StyleWndProc (attach.h) deals with a window's life cycle and passes every
// other message here. The window's kind is read once, from its class name,
// for the messages that depend on it; its row in the kind table says what
// the engine adds before or after the window's own procedure. Every other
// message goes to that procedure alone.
#include <windows.h>

#include "style/behave/style_message.h"

namespace tarnwick {

// After every left-button release, whatever the kind, the attached check
// boxes and option buttons under the window's parent are drawn again, so
// that option buttons the click switched off show it.
LRESULT DispatchByKind(const StyleMessage& message);

}  // namespace tarnwick
