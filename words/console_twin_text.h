#pragma once
// What Tarnwick.com, the console twin, says of its own: only that it could
// not start the window program. A file of its own, so that the twin links
// none of the other texts.
#include <string>
#include <string_view>

namespace tarnwick {

// Tarnwick.com could not start the window program `exe` beside it: not
// there (`missing`), or another reason the system gives with `error`.
std::wstring WindowProgramNotStartedText(std::wstring_view exe, bool missing, unsigned long error);

}  // namespace tarnwick
