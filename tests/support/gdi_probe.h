#pragma once
// Counts this process's live GDI objects, for tests that require no growth
// across many calls of an operation.
//
// GetGuiResources answers 0 under Wine, so the count probes GetObjectType
// over every handle value 1..0xFFFF (Wine accepts handles with a zero high
// word). Take a count after a warm-up call, since some operations create
// cached objects (fonts, stock brushes) the first time.
#include <functional>
#include <string>

namespace tarnwick::test {

struct GdiObjectCounts {
    int dcs = 0;       // OBJ_DC, OBJ_MEMDC, OBJ_METADC, OBJ_ENHMETADC
    int bitmaps = 0;
    int brushes = 0;
    int pens = 0;      // OBJ_PEN, OBJ_EXTPEN
    int fonts = 0;
    int palettes = 0;
    int regions = 0;
    int others = 0;

    int Total() const { return dcs + bitmaps + brushes + pens + fonts + palettes + regions + others; }
    std::string Describe() const;  // "total 12 (dc 3, bitmap 4, ...)"
};

GdiObjectCounts CountGdiObjects();

// Runs `operation` once to warm up, counts, runs it `repeats` more times and
// returns how many live objects it left behind in all (0 means no growth).
// `report` receives the counts before and after for a failure message.
int GdiGrowthOver(int repeats, const std::function<void()>& operation, std::string* report = nullptr);

}  // namespace tarnwick::test
