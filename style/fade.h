#pragma once
// The old place of style/behave/fade.h, kept only for the tests
// that still include it (tests/faults); all else includes the new one.
#include "style/behave/fade.h"
