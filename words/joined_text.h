#pragma once
// Texts put together from pieces in one call: a chain of operator+ makes a
// temporary string and its clean-up code per piece, which for the many
// sentences of the window and the command line cost kilobytes of the exe.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tarnwick {

std::wstring Joined(std::initializer_list<std::wstring_view> pieces);

}  // namespace tarnwick
