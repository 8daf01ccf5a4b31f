// The hand-written number formatting of the messages against the standard
// library's.
#include <gtest/gtest.h>

#include <string>

#include "core/text/decimal_text.h"
#include "tests/fuzz/fuzz_support.h"

namespace tarnwick::test::fuzz {
namespace {

TEST(DecimalTextFuzz, SameDigitsAsTheStandardLibrary) {
    Rng rng = Rng::ForTest("decimal text");
    std::vector<unsigned long> values = {0, 1, 9, 10, 99, 100, 32, 183, 4294967295ul, 4294967294ul, 1000000000ul};
    for (int i = 0; i < 100000; ++i) {
        // Every magnitude alike: a random number of significant bits.
        values.push_back(static_cast<unsigned long>(rng.Next() >> (32 + rng.Below(32))));
    }
    int mismatches = 0;
    for (unsigned long value : values) {
        if (DecimalText(value) == std::to_wstring(value)) continue;
        ADD_FAILURE() << value;
        if (++mismatches == kMaxReportedMismatches) break;
    }
}

}  // namespace
}  // namespace tarnwick::test::fuzz
