#include "words/joined_text.h"

namespace tarnwick {

std::wstring Joined(std::initializer_list<std::wstring_view> pieces) {
    std::size_t size = 0;
    for (std::wstring_view piece : pieces) size += piece.size();
    std::wstring text;
    text.reserve(size);
    for (std::wstring_view piece : pieces) text.append(piece);
    return text;
}

}  // namespace tarnwick
