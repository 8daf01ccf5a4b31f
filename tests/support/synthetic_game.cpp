#include "tests/support/synthetic_game.h"

#include <windows.h>

#include <stdexcept>

namespace tarnwick::test {
namespace {

// Copied from the version table by hand, not from the code under test.
const std::wstring kText107 = {
    0x003F, 0x8BFF, 0x83C8, 0x003F, 0x003F, 0x003F, 0x003F, 0x003F, 0x003F, 0xFF14,
    0x6005, 0x6676, 0x8900, 0x003F, 0x5889, 0x8904, 0x8918, 0x003F, 0x5889, 0x891C,
    0x003F, 0x5E5F, 0x003F, 0x53C3, 0x5756, 0x003F, 0x003F, 0xFF33, 0x003F, 0x003F,
    0x003F, 0x003F, 0x003F, 0x7F2D, 0x5900, 0x8E0F, 0x003F,
};
const std::wstring kText108 = {
    0x5E5F, 0x003F, 0x8BC3, 0x003F, 0x003F, 0x003F, 0x005C, 0x8B56, 0x003F, 0x003F, 0x003F,
    0x003F, 0x7214, 0x8B08, 0x003F, 0x74CA, 0x003F, 0x003F, 0x750F, 0x8B31, 0x003F, 0x0101,
};
const std::wstring kText907Head = {
    0x74C0, 0x003F, 0x003F, 0xFF19, 0x003F, 0x003F, 0x003F, 0xFF11,
    0x003F, 0x003F, 0x0001, 0x003F, 0x003F, 0xFF51, 0x003F, 0x86E8,
};

std::uint32_t Next(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

std::runtime_error FileError(const char* what, const std::wstring&) {
    return std::runtime_error(std::string(what) + " failed, error " + std::to_string(GetLastError()));
}

}  // namespace

// Thai, Hangul, Hebrew, Arabic letters and a few symbols: none is in GBK,
// and none has a look-alike the conversion could fall back to.
const std::vector<wchar_t> kUnrepresentableUnits = {
    0x0E01, 0xAC00, 0x05D0, 0x0627, 0x0E2A, 0xD55C, 0x2603, 0x3131, 0x1100, 0x0130, 0xFFFF, 0x0E48,
};

std::wstring SignatureText(GameVersion version) {
    switch (version) {
        case GameVersion::V1_07: return kText107;
        case GameVersion::V1_08: return kText108;
        case GameVersion::V9_07: return kText907Head + kText107;
        case GameVersion::Unknown: break;
    }
    return {};
}

std::wstring SyntheticProbeUnits(GameVersion version, std::uint32_t seed) {
    std::wstring units = SignatureText(version);
    if (units.empty()) units = L"流星蝴蝶剑 unknown build";
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& unit : units) {
        if (unit == L'?') unit = kUnrepresentableUnits[Next(state) % kUnrepresentableUnits.size()];
    }
    return units;
}

Bytes PseudoRandomBytes(std::size_t count, std::uint32_t seed) {
    Bytes bytes(count);
    std::uint32_t state = seed * 2246822519u + 0x9E3779B9u;
    if (state == 0) state = 1;
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(Next(state) >> 24);
    return bytes;
}

Bytes MakeGameBytes(const std::wstring& units, std::uint32_t seed, std::size_t size) {
    Bytes bytes = PseudoRandomBytes(size, seed);
    std::size_t at = kProbeOffset;
    auto put = [&](std::uint8_t byte) {
        if (at < bytes.size()) bytes[at] = byte;
        ++at;
    };
    for (wchar_t unit : units) {
        put(static_cast<std::uint8_t>(unit & 0xFF));
        put(static_cast<std::uint8_t>(unit >> 8));
    }
    put(0);
    put(0);
    return bytes;
}

Bytes MakeSyntheticGame(GameVersion version, std::uint32_t seed, std::size_t size) {
    return MakeGameBytes(SyntheticProbeUnits(version, seed), seed, size);
}

void WriteFileBytes(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw FileError("CreateFileW", path);
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || (!bytes.empty() && written != bytes.size())) throw FileError("WriteFile", path);
}

// Shares deleting too, as the tool opens a file it is about to replace.
Bytes ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw FileError("CreateFileW", path);
    LARGE_INTEGER size;
    GetFileSizeEx(file, &size);
    Bytes bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    const BOOL ok = bytes.empty() || ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    if (!ok || got != bytes.size()) throw FileError("ReadFile", path);
    return bytes;
}

std::string ReadFileText(const std::wstring& path) {
    Bytes bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace tarnwick::test
