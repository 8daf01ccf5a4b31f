#pragma once
// The old place of style/model/engine_state.h, kept only for the tests
// that still include it (tests/faults); all else includes the new one.
#include "style/model/engine_state.h"
