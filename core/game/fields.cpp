#include "core/game/fields.h"

namespace tarnwick {

// Index order is also reading order in the window: four fields to a row,
// with the five hit-point fields first. A hit-point slot holds three digits
// and the "%" after them; the other slots hold up to four digits.
const std::array<FieldSpec, kFieldCount> kFields = {{
    {L"血值：", L"50", 2, 3, true},
    {L"血值：", L"100", 3, 3, true},
    {L"血值：", L"150", 3, 3, true},
    {L"血值：", L"200", 3, 3, true},
    {L"血值：", L"300", 3, 3, true},
    {L"时局：", L"1", 2, 4, false},
    {L"时局：", L"3", 2, 4, false},
    {L"时局：", L"5", 2, 4, false},
    {L"局次：", L"7", 2, 4, false},
    {L"时间：", L"10", 2, 4, false},
    {L"时局：", L"15", 2, 4, false},
    {L"局次：", L"21", 2, 4, false},
    {L"局次：", L"27", 2, 4, false},
    {L"局次：", L"30", 2, 4, false},
    {L"人数：", L"16", 2, 4, false},
}};

FieldTexts DefaultFieldTexts() {
    FieldTexts texts;
    for (int i = 0; i < kFieldCount; ++i) texts[i] = kFields[i].defaultText;
    return texts;
}

}  // namespace tarnwick
