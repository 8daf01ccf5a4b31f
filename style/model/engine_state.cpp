#include "style/model/engine_state.h"

namespace tarnwick {

EngineState& Engine() {
    static EngineState state;
    return state;
}

}  // namespace tarnwick
