#pragma once
// The old place of style/model/properties.h, kept only for the tests
// that still include it (tests/faults); all else includes the new one.
#include "style/model/properties.h"
