// What the slots of a game file hold, read back: the inverse of a patch's
// values, and nothing for a slot that holds anything else.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/game/patch_plan.h"
#include "core/game/patch_table.h"
#include "tests/core/expected_bytes.h"

namespace tarnwick::test {
namespace {

TEST(SlotValues, APatchReadsBackAsItsValues) {
    const Bytes pristine = MakeSyntheticGame(GameVersion::V1_08);
    FieldTexts values = DefaultFieldTexts();
    values[0] = L"5";       // "5%" and two zero bytes
    values[1] = L"999";     // fills the slot with its "%"
    values[9] = L"1234";    // fills a slot without one
    values[14] = L"0";
    const SlotValues read = ReadSlotValues(PatchedGame(pristine, GameVersion::V1_08, values),
                                           *PatchTableFor(GameVersion::V1_08));
    for (int i = 0; i < kFieldCount; ++i) EXPECT_EQ(read[i], values[i]) << "field " << i;
}

TEST(SlotValues, ASlotThatHoldsNoPlainValueReadsAsNone) {
    struct Case {
        int field;
        std::string slot;  // four bytes
        std::optional<std::wstring> value;
    };
    const Case cases[] = {
        {0, std::string("50%\0", 4), L"50"},
        {5, std::string("7\0\0\0", 4), L"7"},
        {0, std::string("50\0\0", 4), std::nullopt},  // a hit-point value lacks its "%"
        {5, std::string("7%\0\0", 4), std::nullopt},  // a "%" where none belongs
        {0, std::string("%\0\0\0", 4), std::nullopt},  // no digit
        {5, std::string("\0\0\0\0", 4), std::nullopt},
        {5, std::string("7\0\0\x01", 4), std::nullopt},  // something after the zero bytes
        {5, std::string("7 \0\0", 4), std::nullopt},
        {0, std::string("5%%\0", 4), std::nullopt},
    };
    const PatchTable& table = *PatchTableFor(GameVersion::V1_07);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " slot " << testing::PrintToString(c.slot));
        Bytes file = MakeSyntheticGame(GameVersion::V1_07);
        std::copy(c.slot.begin(), c.slot.end(), file.begin() + kSlots107[c.field]);
        EXPECT_EQ(ReadSlotValues(file, table)[c.field], c.value);
    }
    // A file that ends inside a slot has no value there.
    Bytes cut = PatchedGame(MakeSyntheticGame(GameVersion::V1_07), GameVersion::V1_07, DefaultFieldTexts());
    cut.resize(kSlots107[9] + 2);
    EXPECT_EQ(ReadSlotValues(cut, table)[9], std::nullopt);
    EXPECT_EQ(ReadSlotValues(cut, table)[8], L"7");
}

}  // namespace
}  // namespace tarnwick::test
