#pragma once
// A number's decimal digits, for the tool's files and its texts alike.
#include <string>

namespace tarnwick {

// Written out by hand: std::to_wstring would bring the runtime's whole
// printf into the exe for four numbers.
std::wstring DecimalText(unsigned long value);

}  // namespace tarnwick
