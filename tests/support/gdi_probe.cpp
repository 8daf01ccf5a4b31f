#include "tests/support/gdi_probe.h"

#include <windows.h>

#include <cstdint>
#include <sstream>

namespace tarnwick::test {

std::string GdiObjectCounts::Describe() const {
    std::ostringstream out;
    out << "total " << Total() << " (dc " << dcs << ", bitmap " << bitmaps << ", brush " << brushes
        << ", pen " << pens << ", font " << fonts << ", palette " << palettes << ", region "
        << regions << ", other " << others << ")";
    return out.str();
}

GdiObjectCounts CountGdiObjects() {
    GdiObjectCounts counts;
    for (std::uintptr_t value = 1; value <= 0xFFFF; ++value) {
        switch (GetObjectType(reinterpret_cast<HGDIOBJ>(value))) {
        case 0:
            break;
        case OBJ_DC:
        case OBJ_MEMDC:
        case OBJ_METADC:
        case OBJ_ENHMETADC:
            ++counts.dcs;
            break;
        case OBJ_BITMAP:
            ++counts.bitmaps;
            break;
        case OBJ_BRUSH:
            ++counts.brushes;
            break;
        case OBJ_PEN:
        case OBJ_EXTPEN:
            ++counts.pens;
            break;
        case OBJ_FONT:
            ++counts.fonts;
            break;
        case OBJ_PAL:
            ++counts.palettes;
            break;
        case OBJ_REGION:
            ++counts.regions;
            break;
        default:
            ++counts.others;
            break;
        }
    }
    return counts;
}

int GdiGrowthOver(int repeats, const std::function<void()>& operation, std::string* report) {
    operation();
    GdiObjectCounts before = CountGdiObjects();
    for (int i = 0; i < repeats; ++i) {
        operation();
    }
    GdiObjectCounts after = CountGdiObjects();
    if (report != nullptr) {
        *report = "before: " + before.Describe() + "; after: " + after.Describe();
    }
    return after.Total() - before.Total();
}

}  // namespace tarnwick::test
