// Writes a synthetic meteor.exe of a given version, for trying the tool
// without the game: make_game_file <path> [1.07|1.08|9.07] [seed]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "tests/support/synthetic_game.h"

int wmain(int argc, wchar_t** argv) {
    using tarnwick::GameVersion;
    if (argc < 2) {
        std::fputs("usage: make_game_file <path> [1.07|1.08|9.07] [seed]\n", stderr);
        return 2;
    }
    const std::wstring name = argc > 2 ? argv[2] : L"1.07";
    GameVersion version = GameVersion::Unknown;
    if (name == L"1.07") version = GameVersion::V1_07;
    if (name == L"1.08") version = GameVersion::V1_08;
    if (name == L"9.07") version = GameVersion::V9_07;
    if (version == GameVersion::Unknown && name != L"none") {
        std::fputs("version must be 1.07, 1.08, 9.07 or none\n", stderr);
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::wcstoul(argv[3], nullptr, 10) : 1);
    try {
        tarnwick::test::WriteFileBytes(argv[1], tarnwick::test::MakeSyntheticGame(version, seed));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_game_file: %s\n", error.what());
        return 1;
    }
    return 0;
}
