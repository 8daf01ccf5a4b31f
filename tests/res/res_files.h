#pragma once
// Shared by the resource tests: where the repository and the exe are as seen
// from Wine, and whole-file reading.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::test {

// A Unix path as Wine's drive Z: shows it.
inline std::wstring WinePath(const std::string& unix_path) {
    std::wstring path = L"Z:";
    for (char c : unix_path) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

inline std::wstring SourceFile(const std::string& relative) {
    return WinePath(std::string(TARNWICK_SOURCE_DIR) + "/" + relative);
}

inline std::wstring ExePath() { return WinePath(TARNWICK_EXE_PATH); }

// The whole file, or nothing when it cannot be read.
inline std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1 << 26)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
            read != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}

inline std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

inline std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(Le16(b, at)) | static_cast<std::uint32_t>(Le16(b, at + 2)) << 16;
}

inline std::int32_t LeI32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(Le32(b, at));
}

}  // namespace tarnwick::test
