// Placeholder until the switch file lands (see core_stubs.cpp).
#include "notice/hint_file.h"
