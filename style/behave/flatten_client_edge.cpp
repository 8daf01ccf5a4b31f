#include "style/behave/flatten_client_edge.h"

#include "style/paint/frame_painter.h"

namespace tarnwick {

LRESULT FlattenClientEdge(const StyleMessage& message) {
    const LRESULT result = message.Forward();
    if (GetWindowLongA(message.window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ReplaceClientEdge(message.window);
    return result;
}

}  // namespace tarnwick
