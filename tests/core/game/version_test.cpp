#include <windows.h>

#include <gtest/gtest.h>

#include "core/game/version.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

using test::Bytes;

std::wstring Units(std::initializer_list<unsigned> units) {
    std::wstring text;
    for (unsigned unit : units) text.push_back(static_cast<wchar_t>(unit));
    return text;
}

Recognition RecogniseBytes(const Bytes& bytes) {
    test::TempFolder folder;
    const std::wstring path = folder / L"meteor.exe";
    test::WriteFileBytes(path, bytes);
    const Recognition recognition = RecogniseGameFile(path);
    // Apply recognises the whole file it read; the two must agree.
    EXPECT_EQ(RecogniseGameBytes(bytes), recognition.version);
    return recognition;
}

TEST(VersionTag, TextsAndExactComparison) {
    const struct {
        GameVersion version;
        const wchar_t* text;
    } tags[] = {
        {GameVersion::V1_07, L"您当前所使用的版本为1.07"},
        {GameVersion::V1_08, L"您当前所使用的版本为1.08"},
        {GameVersion::V9_07, L"您当前所使用的版本为9.07"},
        {GameVersion::Unknown, L"无法识别您当前所使用的版本请谨慎使用"},
    };
    for (const auto& tag : tags) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(tag.version));
        EXPECT_EQ(VersionTagText(tag.version), tag.text);
        EXPECT_EQ(VersionFromTag(tag.text), tag.version);
    }
    for (const wchar_t* other : {L"", L"1.07", L"您当前所使用的版本为1.07 ", L"您当前所使用的版本为1.09"}) {
        SCOPED_TRACE(testing::Message() << "tag of length " << wcslen(other));
        EXPECT_EQ(VersionFromTag(other), GameVersion::Unknown);
    }
}

TEST(VersionTagBuffer, PairsBytesLittleEndianAndStopsAtTheFirstZeroUnit) {
    const struct {
        const char* name;
        Bytes bytes;
        std::wstring units;
    } cases[] = {
        {"nothing", {}, L""},
        {"odd tail pairs with a zero byte", {0x41}, L"A"},
        {"odd tail after a full unit", {0x41, 0x00, 0x42}, L"AB"},
        {"zero low byte with non-zero high byte goes on", {0x00, 0x89, 0x41, 0x00}, Units({0x8900, 0x0041})},
        {"zero high byte with non-zero low byte goes on", {0x01, 0x00, 0x01, 0x01}, Units({0x0001, 0x0101})},
        {"zero unit ends it", {0x41, 0x00, 0x00, 0x00, 0x42, 0x00}, L"A"},
        {"odd zero byte at the end", {0x41, 0x00, 0x00}, L"A"},
        {"zero unit first", {0x00, 0x00, 0x41, 0x00}, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProbeUnits(c.bytes), c.units);
    }
}

TEST(VersionTagBuffer, RoundTripTurnsUnitsCodePage936LacksIntoQuestionMarks) {
    for (wchar_t unit : test::kUnrepresentableUnits) {
        SCOPED_TRACE(testing::Message() << std::hex << static_cast<unsigned>(unit));
        EXPECT_EQ(ProbeText(std::wstring(1, unit)), L"?");
    }
    // Every other unit of the signatures survives the round trip.
    for (GameVersion version : {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07}) {
        SCOPED_TRACE(testing::Message() << "version " << static_cast<int>(version));
        const std::wstring signature = test::SignatureText(version);
        EXPECT_EQ(ProbeText(signature), signature);
        EXPECT_EQ(RecogniseProbeText(signature), version);
    }
}

TEST(Recognition, SyntheticGameFilesOfEveryVersion) {
    for (GameVersion version : {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07}) {
        for (std::uint32_t seed : {1u, 2u, 77u}) {
            SCOPED_TRACE(testing::Message() << "version " << static_cast<int>(version) << " seed " << seed);
            const Recognition recognition = RecogniseBytes(test::MakeSyntheticGame(version, seed));
            EXPECT_EQ(recognition.version, version);
            EXPECT_EQ(recognition.probeText, test::SignatureText(version));
            EXPECT_EQ(recognition.systemError, 0u);
        }
    }
}

TEST(Recognition, FilesDifferingOnlyInUnrepresentableUnitsGiveTheSameVersion) {
    const std::wstring a = test::SyntheticProbeUnits(GameVersion::V1_08, 3);
    const std::wstring b = test::SyntheticProbeUnits(GameVersion::V1_08, 4);
    ASSERT_NE(a, b);
    EXPECT_EQ(RecogniseBytes(test::MakeGameBytes(a)).version, GameVersion::V1_08);
    EXPECT_EQ(RecogniseBytes(test::MakeGameBytes(b)).version, GameVersion::V1_08);
}

TEST(Recognition, FilesThatAreNotRecognised) {
    const std::wstring a = test::SyntheticProbeUnits(GameVersion::V1_07);
    const std::wstring b = test::SyntheticProbeUnits(GameVersion::V1_08);
    const std::wstring c = test::SyntheticProbeUnits(GameVersion::V9_07);
    // Non-zero units that keep the probe going well past any signature.
    const std::wstring tail(200, static_cast<wchar_t>(0x4E00));
    Bytes noZeroAfterProbe = test::PseudoRandomBytes(kProbeOffset + 600, 5);
    for (std::size_t i = 0; i < a.size(); ++i) {
        noZeroAfterProbe[kProbeOffset + 2 * i] = static_cast<std::uint8_t>(a[i]);
        noZeroAfterProbe[kProbeOffset + 2 * i + 1] = static_cast<std::uint8_t>(a[i] >> 8);
    }
    for (std::size_t i = kProbeOffset + 2 * a.size(); i < noZeroAfterProbe.size(); ++i) {
        if (noZeroAfterProbe[i] == 0) noZeroAfterProbe[i] = 0x55;
    }
    const struct {
        const char* name;
        Bytes bytes;
        const wchar_t* probeText;  // nullptr: not checked
    } cases[] = {
        {"empty file", {}, L""},
        {"one byte short of the probe", test::PseudoRandomBytes(kProbeOffset, 1), L""},
        {"ends with the probe's first byte", test::MakeGameBytes(a, 1, kProbeOffset + 1), nullptr},
        {"signature with one more unit", test::MakeGameBytes(a + L"X"), nullptr},
        {"signature missing its last unit", test::MakeGameBytes(b.substr(0, b.size() - 1)), nullptr},
        {"longest signature followed by more units", test::MakeGameBytes(c + tail), nullptr},
        {"signature and no zero unit to the end of the file", noZeroAfterProbe, nullptr},
        {"no signature", test::MakeSyntheticGame(GameVersion::Unknown), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Recognition recognition = RecogniseBytes(c.bytes);
        EXPECT_EQ(recognition.version, GameVersion::Unknown);
        EXPECT_EQ(recognition.systemError, 0u);
        if (c.probeText) {
            EXPECT_EQ(recognition.probeText, c.probeText);
        }
    }
}

TEST(Recognition, OddLastBytePairsWithTheZeroTail) {
    // The 1.07 signature ends in "?": a file that stops one byte into that
    // unit, with 0x3F as its last byte, reads 0x003F there.
    const std::wstring a = test::SyntheticProbeUnits(GameVersion::V1_07);
    Bytes bytes = test::MakeGameBytes(a, 1, kProbeOffset + 2 * (a.size() - 1) + 1);
    bytes.back() = 0x3F;
    EXPECT_EQ(RecogniseBytes(bytes).version, GameVersion::V1_07);

    // The 1.08 signature ends in 0x0101: a last byte 0x01 reads 0x0001.
    const std::wstring b = test::SyntheticProbeUnits(GameVersion::V1_08);
    bytes = test::MakeGameBytes(b, 1, kProbeOffset + 2 * (b.size() - 1) + 1);
    bytes.back() = 0x01;
    EXPECT_EQ(RecogniseBytes(bytes).version, GameVersion::Unknown);
    bytes.push_back(0x01);
    EXPECT_EQ(RecogniseBytes(bytes).version, GameVersion::V1_08);
}

TEST(Recognition, GameFileHeldOpenByTheRunningGameIsStillRead) {
    test::TempFolder folder;
    const std::wstring path = folder / L"meteor.exe";
    test::WriteFileBytes(path, test::MakeSyntheticGame(GameVersion::V9_07));
    HANDLE game = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RecogniseGameFile(path).version, GameVersion::V9_07);
    CloseHandle(game);
}

TEST(Recognition, MissingFileIsNotRecognisedAndTellsWhy) {
    test::TempFolder folder;
    const Recognition recognition = RecogniseGameFile(folder / L"meteor.exe");
    EXPECT_EQ(recognition.version, GameVersion::Unknown);
    EXPECT_EQ(recognition.systemError, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace tarnwick
