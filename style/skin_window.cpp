// Engine entry. Attaching is not built yet: the forms already call it at
// their load step, and it leaves their look to the platform for now.
#include "style/skin.h"

namespace tarnwick {

LONG SkinWindow(HWND) { return 0; }

}  // namespace tarnwick
