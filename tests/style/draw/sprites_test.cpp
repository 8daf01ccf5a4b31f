#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/sprite_cells.h"
#include "style/draw/sprites.h"
#include "style/model/engine_state.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/pixels.h"

namespace tarnwick {
namespace {

using test::ColourText;

constexpr COLORREF K = SpriteKeyColour;

// Builds the sprites for one test and frees them afterwards.
class SpritesTest : public ::testing::Test {
protected:
    void SetUp() override { BuildSprites(); }
    void TearDown() override { DeleteSprites(); }

    static HDC Sprite(const char* name) {
        const EngineState& e = Engine();
        std::string n = name;
        if (n == "Button") return e.buttonSprite;
        if (n == "ComboButton") return e.comboButtonSprite;
        if (n == "Mark") return e.markSprite;
        if (n == "Round") return e.roundSprite;
        return e.headerSprite;
    }
};

struct NamedPixel {
    const char* sprite;
    int x;
    int y;
    COLORREF colour;
    const char* what;
};

// Values the look is defined by, read back from the built surfaces.
const NamedPixel kNamedPixels[] = {
    // Push-button faces: the outline of Normal, repeated in Hot and Pressed.
    {"Button", 0, 0, 0x00F9E1BF, "Normal top edge"},
    {"Button", 1, 0, 0x00E3B36B, "Normal top edge"},
    {"Button", 2, 0, 0x00D8972C, "Normal top edge"},
    {"Button", 3, 0, 0x00D58F1B, "Normal top edge"},
    {"Button", 4, 0, 0x00D8972C, "Normal top edge"},
    {"Button", 5, 0, 0x00E3B36B, "Normal top edge"},
    {"Button", 6, 0, 0x00F9E1BF, "Normal top edge"},
    {"Button", 0, 20, 0x00FBE7CA, "Normal bottom edge"},
    {"Button", 1, 20, 0x00E1AE60, "Normal bottom edge"},
    {"Button", 2, 20, 0x00D8962A, "Normal bottom edge"},
    {"Button", 3, 20, 0x00D58F1B, "Normal bottom edge"},
    {"Button", 4, 20, 0x00D8962A, "Normal bottom edge"},
    {"Button", 5, 20, 0x00E1AE60, "Normal bottom edge"},
    {"Button", 6, 20, 0x00FBE7CA, "Normal bottom edge"},
    {"Button", 2, 1, 0x00FFFFFF, "Normal body, row 1"},
    {"Button", 3, 1, 0x00FFFFFF, "Normal body, row 1"},
    {"Button", 4, 1, 0x00FFFFFF, "Normal body, row 1"},
    {"Button", 1, 2, 0x00FFFFFF, "Normal body, row 2"},
    {"Button", 3, 2, 0x00FFFFFF, "Normal body, row 2"},
    {"Button", 5, 2, 0x00FFFFFF, "Normal body, row 2"},
    {"Button", 3, 17, 0x00EAD0B1, "Normal body, row 17"},
    {"Button", 3, 21 + 2, 0x00FFEDC6, "Hot body, row 2"},
    {"Button", 3, 21 + 17, 0x00F2D4A7, "Hot body, row 17"},
    {"Button", 3, 42 + 2, 0x00F3CC86, "Pressed body, row 2"},
    {"Button", 3, 42 + 15, 0x00FCEFD6, "Pressed body, row 15"},
    {"Button", 1, 42 + 2, 0x00F9B731, "Pressed inner edge, top"},
    {"Button", 5, 42 + 2, 0x00F9B731, "Pressed inner edge, top"},
    {"Button", 1, 42 + 18, 0x00FCC145, "Pressed inner edge, bottom"},
    {"Button", 5, 42 + 18, 0x00FCC145, "Pressed inner edge, bottom"},
    {"Button", 0, 63, 0x00FBF7F2, "Disabled corner"},
    {"Button", 6, 63, 0x00FBF7F2, "Disabled corner"},
    {"Button", 0, 83, 0x00FBF7F2, "Disabled corner"},
    {"Button", 6, 83, 0x00FBF7F2, "Disabled corner"},
    {"Button", 3, 63, 0x00E8C387, "Disabled outline, top"},
    {"Button", 3, 83, 0x00E8C387, "Disabled outline, bottom"},
    {"Button", 3, 63 + 1, 0x00FDFBF8, "Disabled body, top"},
    {"Button", 3, 63 + 17, 0x00F3E3D2, "Disabled body, row 17"},
    // Drop-button faces.
    {"ComboButton", 1, 0, 0x00FFF9E8, "Hot top row"},
    {"ComboButton", 2, 0, 0x00FFF9E8, "Hot top row"},
    {"ComboButton", 3, 0, 0x00FFF9E8, "Hot top row"},
    {"ComboButton", 1, 17, 0x00F3E1C0, "Hot bottom row"},
    {"ComboButton", 2, 17, 0x00F3E1C0, "Hot bottom row"},
    {"ComboButton", 3, 17, 0x00F3E1C0, "Hot bottom row"},
    {"ComboButton", 2, 1, 0x00FDEEC1, "Hot middle column, row 1"},
    {"ComboButton", 2, 16, 0x00E3B865, "Hot middle column, row 16"},
    {"ComboButton", 5, 0, 0x00F3E1BE, "Pressed top row"},
    {"ComboButton", 6, 0, 0x00F3E1BE, "Pressed top row"},
    {"ComboButton", 7, 0, 0x00F3E1BE, "Pressed top row"},
    {"ComboButton", 5, 17, 0x00FEF8E6, "Pressed bottom row"},
    {"ComboButton", 6, 17, 0x00FEF8E6, "Pressed bottom row"},
    {"ComboButton", 7, 17, 0x00FEF8E6, "Pressed bottom row"},
    {"ComboButton", 6, 1, 0x00E2B561, "Pressed middle column, row 1"},
    {"ComboButton", 6, 16, 0x00FCEBBC, "Pressed middle column, row 16"},
    {"ComboButton", 8, 0, 0x005F5519, "enabled arrow"},
    {"ComboButton", 8, 1, K, "beside the enabled arrow"},
    // Marks.
    {"Mark", 0, 0, K, "outside the tick"},
    {"Mark", 8, 0, 0x001DB754, "tick, row 0"},
    {"Mark", 17, 0, 0x008CDAA8, "disabled tick, row 0"},
    // Round frames.
    {"Round", 0, 0, K, "outside the Normal ring"},
    {"Round", 12, 12, K, "outside the Normal ring"},
    {"Round", 0, 6, 0x00D2A683, "Normal ring, middle of the left side"},
    {"Round", 0, 32, 0x00C18964, "Pressed ring, middle of the left side"},
    {"Round", 2, 13 + 2, 0x00F8EAC3, "Hot interior, upper left"},
    {"Round", 10, 13 + 10, 0x00FDF5E1, "Hot interior, lower right"},
    {"Round", 2, 26 + 10, 0x00F5E1AD, "Pressed interior, lower left"},
    {"Round", 10, 26 + 2, 0x00FDF1D5, "Pressed interior, upper right"},
    {"Round", 6, 6, 0x00FFFFFF, "Normal interior, centre"},
    {"Round", 6, 39 + 6, 0x00FFFFFF, "Disabled interior, centre"},
    // Header faces.
    {"Header", 0, 0, 0x00FEF5EA, "Normal left column, top"},
    {"Header", 0, 17, 0x00F6E5D3, "Normal left column, row 17"},
    {"Header", 0, 18, 0x00F6E5D3, "Normal left column, row 18"},
    {"Header", 1, 0, 0x00FEF5EA, "Normal body, top"},
    {"Header", 2, 9, 0x00D9B07A, "Normal separator, darkest"},
    {"Header", 2, 10, 0x00D9B07A, "Normal separator, darkest"},
    {"Header", 4, 0, 0x00FEEED3, "Hot body, top"},
    {"Header", 4, 17, 0x00FDE0AC, "Hot body, row 17"},
    {"Header", 5, 9, 0x00DBA24B, "Hot separator, darkest"},
    {"Header", 5, 10, 0x00DBA24B, "Hot separator, darkest"},
    {"Header", 6, 18, 0x00FDE3A8, "Pressed left column, row 18"},
    {"Header", 7, 1, 0x00FFDC9F, "Pressed body, row 1"},
    {"Header", 7, 16, 0x00FFF2C8, "Pressed body, row 16"},
    {"Header", 7, 17, 0x00FFF2C8, "Pressed body, row 17"},
    {"Header", 7, 18, 0x00FFF2C8, "Pressed body, row 18"},
    {"Header", 8, 9, 0x00DBA24B, "Pressed separator, darkest"},
    {"Header", 8, 10, 0x00DBA24B, "Pressed separator, darkest"},
    {"Header", 8, 18, 0x00FDE3A8, "Pressed separator, row 18"},
};

TEST_F(SpritesTest, NamedPixelsHaveTheirValues) {
    for (const NamedPixel& p : kNamedPixels) {
        SCOPED_TRACE(::testing::Message() << p.sprite << " (" << p.x << ", " << p.y << "): " << p.what);
        EXPECT_EQ(ColourText(GetPixel(Sprite(p.sprite), p.x, p.y)), ColourText(p.colour));
    }
}

TEST_F(SpritesTest, SurfacesHaveTheirSizes) {
    struct Size {
        const char* sprite;
        int width;
        int height;
    };
    for (const Size& s : {Size{"Button", 7, 84}, Size{"ComboButton", 15, 18}, Size{"Mark", 18, 24},
                          Size{"Round", 13, 52}, Size{"Header", 9, 20}}) {
        SCOPED_TRACE(s.sprite);
        BITMAP bm{};
        ASSERT_NE(GetObject(GetCurrentObject(Sprite(s.sprite), OBJ_BITMAP), sizeof bm, &bm), 0);
        EXPECT_EQ(bm.bmWidth, s.width);
        EXPECT_EQ(bm.bmHeight, s.height);
    }
}


// Opaque pixels of each shape, as row -> column ranges (first, last).
struct ShapeRun {
    int row;
    int first;
    int last;
};

const ShapeRun kArrowRuns[] = {{0, 0, 6}, {1, 1, 5}, {2, 2, 4}, {3, 3, 3}};
const ShapeRun kTickRuns[] = {{0, 8, 8}, {1, 7, 8}, {2, 6, 8}, {3, 0, 1}, {3, 5, 7},
                         {4, 0, 2}, {4, 4, 6}, {5, 1, 5}, {6, 2, 4}, {7, 3, 3}};
const ShapeRun kSquareRuns[] = {{0, 0, 6}, {1, 0, 6}, {2, 0, 6}, {3, 0, 6}, {4, 0, 6}, {5, 0, 6}, {6, 0, 6}};
const ShapeRun kDotRuns[] = {{0, 1, 3}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 1, 3}};
const ShapeRun kRoundRuns[] = {{0, 3, 9},  {1, 2, 10}, {2, 1, 11}, {3, 0, 12}, {4, 0, 12}, {5, 0, 12}, {6, 0, 12},
                          {7, 0, 12}, {8, 0, 12}, {9, 0, 12}, {10, 1, 11}, {11, 2, 10}, {12, 3, 9}};

template <size_t N>
void MarkOpaque(std::vector<std::vector<bool>>& opaque, int x, int y, const ShapeRun (&runs)[N]) {
    for (const ShapeRun& run : runs) {
        for (int c = run.first; c <= run.last; ++c) {
            opaque[static_cast<size_t>(y + run.row)][static_cast<size_t>(x + c)] = true;
        }
    }
}

// Checks that exactly the pixels outside the shapes have the key colour.
void ExpectKeyExactlyOutside(HDC sprite, const std::vector<std::vector<bool>>& opaque) {
    for (size_t y = 0; y < opaque.size(); ++y) {
        for (size_t x = 0; x < opaque[y].size(); ++x) {
            SCOPED_TRACE(::testing::Message() << "(" << x << ", " << y << ")");
            COLORREF c = GetPixel(sprite, static_cast<int>(x), static_cast<int>(y));
            if (opaque[y][x]) {
                EXPECT_NE(c, K) << "key colour inside a shape";
            } else {
                EXPECT_EQ(ColourText(c), ColourText(K)) << "opaque pixel outside the shapes";
            }
        }
    }
}

std::vector<std::vector<bool>> Grid(int width, int height, bool value) {
    return std::vector<std::vector<bool>>(static_cast<size_t>(height),
                                          std::vector<bool>(static_cast<size_t>(width), value));
}

TEST_F(SpritesTest, KeyColourLiesExactlyOutsideTheShapes) {
    {
        SCOPED_TRACE("ComboButtonSprite");
        auto opaque = Grid(15, 18, false);
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < 8; ++x) {
                opaque[static_cast<size_t>(y)][static_cast<size_t>(x)] = true;  // the two faces
            }
        }
        MarkOpaque(opaque, 8, 0, kArrowRuns);
        MarkOpaque(opaque, 8, 4, kArrowRuns);
        ExpectKeyExactlyOutside(Sprite("ComboButton"), opaque);
    }
    {
        SCOPED_TRACE("MarkSprite");
        auto opaque = Grid(18, 24, false);
        for (int half : {0, 9}) {
            MarkOpaque(opaque, half + 0, 0, kTickRuns);
            MarkOpaque(opaque, half + 1, 9, kSquareRuns);
            MarkOpaque(opaque, half + 2, 18, kDotRuns);
        }
        ExpectKeyExactlyOutside(Sprite("Mark"), opaque);
    }
    {
        SCOPED_TRACE("RoundSprite");
        auto opaque = Grid(13, 52, false);
        for (int s = 0; s < 4; ++s) {
            MarkOpaque(opaque, 0, 13 * s, kRoundRuns);
        }
        ExpectKeyExactlyOutside(Sprite("Round"), opaque);
    }
    {
        SCOPED_TRACE("ButtonSprite, HeaderSprite");
        ExpectKeyExactlyOutside(Sprite("Button"), Grid(7, 84, true));
        ExpectKeyExactlyOutside(Sprite("Header"), Grid(9, 20, true));
    }
}

TEST_F(SpritesTest, MarksHaveTheirColours) {
    const COLORREF tickEnabled[8] = {0x001DB754, 0x001BB451, 0x0017AF4D, 0x0013A948,
                                     0x000FA243, 0x000A9C3E, 0x00069639, 0x00029135};
    const COLORREF tickDisabled[8] = {0x008CDAA8, 0x008BD9A6, 0x0089D6A4, 0x0087D3A2,
                                      0x0085D09F, 0x0082CD9D, 0x0080C99A, 0x007EC798};
    const COLORREF squareEnabled[7] = {0x001BB451, 0x0018B04E, 0x0014AB49, 0x0010A445,
                                       0x000C9E40, 0x0007983B, 0x00069639};
    const COLORREF squareDisabled[7] = {0x008BD9A6, 0x0089D6A4, 0x0087D4A3, 0x0086D1A0,
                                        0x0083CE9E, 0x0081CA9B, 0x0080C99A};
    // The dot's opaque pixels, row by row.
    const std::vector<std::vector<COLORREF>> dotEnabled = {
        {0x0060CC87, 0x0028BA5C, 0x0060CC87},
        {0x005EC883, 0x0019B14F, 0x0019B14F, 0x0019B14F, 0x005EC883},
        {0x001DAC50, 0x0012A847, 0x0012A847, 0x0012A847, 0x001DAC50},
        {0x0054BA78, 0x000B9D3F, 0x000B9D3F, 0x000B9D3F, 0x0054BA78},
        {0x004FB473, 0x00109940, 0x004FB473}};
    const std::vector<std::vector<COLORREF>> dotDisabled = {
        {0x00AFE5C3, 0x0093DCAD, 0x00AFE5C3},
        {0x00AEE3C1, 0x008CD8A7, 0x008CD8A7, 0x008CD8A7, 0x00AEE3C1},
        {0x008ED5A7, 0x0088D3A3, 0x0088D3A3, 0x0088D3A3, 0x008ED5A7},
        {0x00A9DCBB, 0x0085CE9F, 0x0085CE9F, 0x0085CE9F, 0x00A9DCBB},
        {0x00A7D9B9, 0x0087CC9F, 0x00A7D9B9}};
    HDC mark = Sprite("Mark");
    for (const ShapeRun& run : kTickRuns) {
        for (int c = run.first; c <= run.last; ++c) {
            SCOPED_TRACE("tick row " + std::to_string(run.row) + " column " + std::to_string(c));
            EXPECT_EQ(ColourText(GetPixel(mark, c, run.row)), ColourText(tickEnabled[run.row]));
            EXPECT_EQ(ColourText(GetPixel(mark, 9 + c, run.row)), ColourText(tickDisabled[run.row]));
        }
    }
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            SCOPED_TRACE("square row " + std::to_string(r) + " column " + std::to_string(c));
            EXPECT_EQ(ColourText(GetPixel(mark, 1 + c, 9 + r)), ColourText(squareEnabled[r]));
            EXPECT_EQ(ColourText(GetPixel(mark, 10 + c, 9 + r)), ColourText(squareDisabled[r]));
        }
    }
    for (const ShapeRun& run : kDotRuns) {
        for (int c = run.first; c <= run.last; ++c) {
            SCOPED_TRACE("dot row " + std::to_string(run.row) + " column " + std::to_string(c));
            size_t i = static_cast<size_t>(c - run.first);
            EXPECT_EQ(ColourText(GetPixel(mark, 2 + c, 18 + run.row)), ColourText(dotEnabled[run.row][i]));
            EXPECT_EQ(ColourText(GetPixel(mark, 11 + c, 18 + run.row)), ColourText(dotDisabled[run.row][i]));
        }
    }
    HDC combo = Sprite("ComboButton");
    for (const ShapeRun& run : kArrowRuns) {
        for (int c = run.first; c <= run.last; ++c) {
            SCOPED_TRACE("arrow row " + std::to_string(run.row) + " column " + std::to_string(c));
            EXPECT_EQ(ColourText(GetPixel(combo, 8 + c, run.row)), ColourText(0x005F5519));
            EXPECT_EQ(ColourText(GetPixel(combo, 8 + c, 4 + run.row)), ColourText(0x00ACA584));
        }
    }
}

TEST_F(SpritesTest, ButtonOutlinesAndEdges) {
    HDC button = Sprite("Button");
    // Hot and Pressed share Normal's outline.
    for (int state : {1, 2}) {
        for (int x = 0; x < 7; ++x) {
            SCOPED_TRACE("state " + std::to_string(state) + " column " + std::to_string(x));
            EXPECT_EQ(GetPixel(button, x, 21 * state), GetPixel(button, x, 0));
            EXPECT_EQ(GetPixel(button, x, 21 * state + 20), GetPixel(button, x, 20));
        }
    }
    for (int state = 0; state < 4; ++state) {
        COLORREF side = state == 3 ? 0x00E8C387 : 0x00D58F1B;
        for (int y = 3; y <= 17; ++y) {
            SCOPED_TRACE("state " + std::to_string(state) + " row " + std::to_string(y));
            EXPECT_EQ(ColourText(GetPixel(button, 0, 21 * state + y)), ColourText(side));
            EXPECT_EQ(ColourText(GetPixel(button, 6, 21 * state + y)), ColourText(side));
            // The stretched centre column matches its neighbours, so the
            // body shows no stripes when widened.
            EXPECT_EQ(GetPixel(button, 2, 21 * state + y), GetPixel(button, 3, 21 * state + y));
            EXPECT_EQ(GetPixel(button, 4, 21 * state + y), GetPixel(button, 3, 21 * state + y));
        }
    }
    // Hot: the light-blue inner edge over the upper half.
    for (int y = 2; y <= 10; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(ColourText(GetPixel(button, 1, 21 + y)), ColourText(0x00FBC34C));
        EXPECT_EQ(ColourText(GetPixel(button, 5, 21 + y)), ColourText(0x00FBC34C));
    }
}

// Sum of the three channels: larger is lighter.
int Lightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

TEST_F(SpritesTest, GradientsRunInTheirDirections) {
    struct Column {
        const char* sprite;
        int x;
        int firstY;
        int lastY;
        bool darkening;  // downwards
        const char* what;
    };
    const Column columns[] = {
        {"Button", 3, 2, 17, true, "Normal body"},
        {"Button", 3, 21 + 2, 21 + 17, true, "Hot body"},
        {"Button", 3, 42 + 2, 42 + 15, false, "Pressed body"},
        {"Button", 3, 63 + 1, 63 + 17, true, "Disabled body"},
        {"ComboButton", 2, 1, 16, true, "Hot face"},
        {"ComboButton", 6, 1, 16, false, "Pressed face"},
        {"Header", 1, 0, 9, true, "Normal header body"},
        {"Header", 4, 0, 17, true, "Hot header body"},
        {"Header", 7, 1, 16, false, "Pressed header body"},
    };
    for (const Column& col : columns) {
        SCOPED_TRACE(col.what);
        HDC dc = Sprite(col.sprite);
        for (int y = col.firstY + 1; y <= col.lastY; ++y) {
            int previous = Lightness(GetPixel(dc, col.x, y - 1));
            int current = Lightness(GetPixel(dc, col.x, y));
            if (col.darkening) {
                EXPECT_LE(current, previous) << "row " << y;
            } else {
                EXPECT_GE(current, previous) << "row " << y;
            }
        }
    }
    // Drop-button faces: columns 1 and 3 lighter than the middle column.
    HDC combo = Sprite("ComboButton");
    for (int face : {0, 4}) {
        for (int y = 1; y <= 16; ++y) {
            SCOPED_TRACE("face at " + std::to_string(face) + ", row " + std::to_string(y));
            EXPECT_EQ(ColourText(GetPixel(combo, face, y)), ColourText(0x00D1A04E));
            EXPECT_GT(Lightness(GetPixel(combo, face + 1, y)), Lightness(GetPixel(combo, face + 2, y)));
            EXPECT_GT(Lightness(GetPixel(combo, face + 3, y)), Lightness(GetPixel(combo, face + 2, y)));
        }
        EXPECT_EQ(ColourText(GetPixel(combo, face, 0)), ColourText(0x00D1A04E));
        EXPECT_EQ(ColourText(GetPixel(combo, face, 17)), ColourText(0x00D1A04E));
    }
    // Header separators: darkest at rows 9-10, back to the body at the ends.
    HDC header = Sprite("Header");
    for (int face = 0; face < 3; ++face) {
        SCOPED_TRACE("header face " + std::to_string(face));
        int x = 3 * face + 2;
        for (int y = 0; y <= 18; ++y) {
            EXPECT_GE(Lightness(GetPixel(header, x, y)), Lightness(GetPixel(header, x, 9))) << "row " << y;
        }
        EXPECT_EQ(GetPixel(header, x, 0), GetPixel(header, 3 * face + 1, 0));
        for (int x2 = 0; x2 < 3; ++x2) {
            EXPECT_EQ(ColourText(GetPixel(header, 3 * face + x2, 19)), ColourText(0x00F2DAC0));
        }
    }
    EXPECT_EQ(GetPixel(header, 2, 18), GetPixel(header, 1, 18));
    for (int y = 5; y <= 17; ++y) {
        EXPECT_EQ(ColourText(GetPixel(header, 3, y)), ColourText(0x00FAC25E)) << "Hot left column, row " << y;
    }
    for (int y = 3; y <= 12; ++y) {
        EXPECT_EQ(ColourText(GetPixel(header, 6, y)), ColourText(0x00FAC25E)) << "Pressed left column, row " << y;
    }
    for (int y = 9; y <= 18; ++y) {
        EXPECT_EQ(ColourText(GetPixel(header, 1, y)), ColourText(0x00F6E5D3)) << "Normal body, row " << y;
    }
}

TEST_F(SpritesTest, RoundFramesAreShadedFromTheMiddleOfEachSide) {
    struct Frame {
        int state;
        COLORREF middle;
        COLORREF end;
    };
    HDC round = Sprite("Round");
    for (Frame f : {Frame{0, 0x00D2A683, 0x00E7CFBC}, Frame{1, 0x00D2A683, 0x00E7CFBC},
                    Frame{2, 0x00C18964, 0x00DDBCA4}, Frame{3, 0x00E8D2C1, 0x00F3E7DD}}) {
        SCOPED_TRACE("state " + std::to_string(f.state));
        int top = 13 * f.state;
        // Middles of the four sides, ends of the four straight runs.
        for (auto [x, y] : {std::pair{6, 0}, std::pair{6, 12}, std::pair{0, 6}, std::pair{12, 6}}) {
            EXPECT_EQ(ColourText(GetPixel(round, x, top + y)), ColourText(f.middle)) << x << "," << y;
        }
        for (auto [x, y] : {std::pair{3, 0}, std::pair{9, 0}, std::pair{3, 12}, std::pair{9, 12},
                            std::pair{0, 3}, std::pair{0, 9}, std::pair{12, 3}, std::pair{12, 9}}) {
            EXPECT_EQ(ColourText(GetPixel(round, x, top + y)), ColourText(f.end)) << x << "," << y;
        }
        // Lighter from the middle outwards along each run.
        for (int i = 4; i <= 6; ++i) {
            EXPECT_GE(Lightness(GetPixel(round, i - 1, top)), Lightness(GetPixel(round, i, top)));
            EXPECT_GE(Lightness(GetPixel(round, 0, top + i - 1)), Lightness(GetPixel(round, 0, top + i)));
        }
    }
    // Normal: a faint shading along the top of a white interior.
    EXPECT_NE(GetPixel(round, 6, 1), 0x00FFFFFFu);
    EXPECT_GT(Lightness(GetPixel(round, 6, 1)), 3 * 0xF0);
    EXPECT_EQ(GetPixel(round, 6, 10), 0x00FFFFFFu);
}

TEST_F(SpritesTest, RebuildGivesTheSamePixels) {
    struct Sprite {
        const char* name;
        int width;
        int height;
    };
    const Sprite sprites[] = {{"Button", 7, 84}, {"ComboButton", 15, 18}, {"Mark", 18, 24},
                              {"Round", 13, 52}, {"Header", 9, 20}};
    std::vector<std::vector<COLORREF>> first;
    for (const Sprite& s : sprites) {
        first.push_back(test::ReadPixels(SpritesTest::Sprite(s.name), 0, 0, s.width, s.height));
    }
    DeleteSprites();
    EXPECT_EQ(Engine().buttonSprite, nullptr);
    BuildSprites();
    for (size_t i = 0; i < std::size(sprites); ++i) {
        SCOPED_TRACE(sprites[i].name);
        EXPECT_EQ(test::ReadPixels(SpritesTest::Sprite(sprites[i].name), 0, 0, sprites[i].width,
                                   sprites[i].height),
                  first[i]);
    }
}

}  // namespace
}  // namespace tarnwick
