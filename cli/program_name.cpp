#include "cli/program_name.h"

namespace tarnwick::cli {

std::size_t ProgramNameEnd(std::wstring_view line) {
    if (!line.empty() && line[0] == L'"') {
        // A quoted name runs to the next quote, blanks and all.
        const std::size_t quote = line.find(L'"', 1);
        return quote == std::wstring_view::npos ? line.size() : quote + 1;
    }
    const std::size_t blank = line.find_first_of(L" \t");
    return blank == std::wstring_view::npos ? line.size() : blank;
}

}  // namespace tarnwick::cli
