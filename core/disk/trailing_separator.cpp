#include "core/disk/trailing_separator.h"

namespace tarnwick::fileio {

std::wstring WithoutTrailingSeparator(const std::wstring& path) {
    std::wstring trimmed = path;
    while (!trimmed.empty() && (trimmed.back() == L'\\' || trimmed.back() == L'/')) trimmed.pop_back();
    const bool root = trimmed.size() < path.size() && (trimmed.empty() || trimmed.back() == L':');
    if (root) trimmed += L'\\';
    return trimmed;
}

}  // namespace tarnwick::fileio
