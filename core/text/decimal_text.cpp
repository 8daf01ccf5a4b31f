#include "core/text/decimal_text.h"

#include <iterator>

namespace tarnwick {

std::wstring DecimalText(unsigned long value) {
    wchar_t digits[12];
    wchar_t* first = digits + std::size(digits);
    do {
        *--first = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::wstring(first, digits + std::size(digits));
}

}  // namespace tarnwick
