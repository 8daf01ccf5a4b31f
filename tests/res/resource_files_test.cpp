// The committed background picture and icon: the generator remakes them byte
// for byte, and their headers and pixels have the properties the main window
// and the colour key rely on.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "res/generator/resource_images.h"
#include "tests/res/res_files.h"

namespace tarnwick::test {
namespace {

using resources::Rgb;

constexpr int kWidth = 514;
constexpr int kHeight = 292;
constexpr std::uint32_t kBmpFileSize = 450904;
constexpr Rgb kGreen{0, 255, 0};

// The picture decoded from the BMP bytes, rows from the top.
struct Picture {
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kWidth + x]; }
    bool Green(int x, int y) const { return At(x, y) == kGreen; }
};

Picture Decode(const std::vector<std::uint8_t>& bmp) {
    Picture picture;
    const std::size_t stride = (kWidth * 3 + 3) / 4 * 4;
    for (int y = 0; y < kHeight; ++y) {
        const std::size_t row = 54 + static_cast<std::size_t>(kHeight - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < kWidth; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * 3;
            picture.pixels.push_back({bmp.at(at + 2), bmp.at(at + 1), bmp.at(at)});
        }
    }
    return picture;
}

int Luminance(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

class BackgroundFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bytes_ = ReadWholeFile(SourceFile("res/background.bmp")); }
    void SetUp() override {
        ASSERT_EQ(bytes_.size(), kBmpFileSize) << "res/background.bmp missing or of the wrong size";
        picture_ = Decode(bytes_);
    }
    static std::vector<std::uint8_t> bytes_;
    Picture picture_;
};
std::vector<std::uint8_t> BackgroundFile::bytes_;

TEST(ResourceGenerator, RemakesTheCommittedFilesByteForByte) {
    struct Case {
        const char* file;
        std::function<std::vector<std::uint8_t>()> make;
    };
    const Case cases[] = {{"res/background.bmp", resources::BackgroundBmpFile},
                          {"res/tarnwick.ico", resources::IconFile}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::vector<std::uint8_t> committed = ReadWholeFile(SourceFile(c.file));
        const std::vector<std::uint8_t> made = c.make();
        ASSERT_FALSE(committed.empty()) << "cannot read the committed file";
        EXPECT_EQ(made.size(), committed.size());
        auto [m, k] = std::mismatch(made.begin(), made.end(), committed.begin(), committed.end());
        EXPECT_TRUE(m == made.end() && k == committed.end())
            << "first difference at byte " << (m - made.begin())
            << "; run scripts/make-resources and commit the result";
    }
}

TEST_F(BackgroundFile, HeaderDescribesAnUncompressedBottomUp24BitPicture) {
    struct Field {
        const char* name;
        std::size_t offset;
        int bytes;
        std::int64_t expected;
    };
    const Field fields[] = {
        {"signature 'BM'", 0, 2, 0x4D42}, {"file size", 2, 4, kBmpFileSize},
        {"reserved", 6, 4, 0},            {"pixel offset", 10, 4, 54},
        {"info header size", 14, 4, 40},  {"width", 18, 4, kWidth},
        {"height (positive: bottom-up)", 22, 4, kHeight},
        {"planes", 26, 2, 1},             {"bits per pixel", 28, 2, 24},
        {"compression (BI_RGB)", 30, 4, 0}, {"colours used", 46, 4, 0},
    };
    for (const Field& f : fields) {
        SCOPED_TRACE(f.name);
        std::int64_t value = f.bytes == 2 ? Le16(bytes_, f.offset) : LeI32(bytes_, f.offset);
        EXPECT_EQ(value, f.expected);
    }
    // The pixel rows, 1,544 bytes each, fit between the headers and the end.
    const std::uint32_t image_size = Le32(bytes_, 34);
    EXPECT_GE(image_size, 1544u * kHeight);
    EXPECT_LE(54 + image_size, bytes_.size());
}

TEST_F(BackgroundFile, KeyGreenFormsTheFrameAndFourRoundCornersOnly) {
    int green = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) green += picture_.Green(x, y);
    EXPECT_EQ(green, 1676);

    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool frame = x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1;
            // Distance from the nearest vertical and horizontal edge.
            const int fx = std::min(x, kWidth - 1 - x);
            const int fy = std::min(y, kHeight - 1 - y);
            if (frame) {
                EXPECT_TRUE(picture_.Green(x, y)) << "frame pixel " << x << "," << y;
            } else if (picture_.Green(x, y)) {
                EXPECT_TRUE(fx <= 10 && fy <= 10) << "green away from the corners at " << x << "," << y;
            }
            // Every corner mirrors the others.
            EXPECT_EQ(picture_.Green(x, y), picture_.Green(kWidth - 1 - x, y)) << x << "," << y;
            EXPECT_EQ(picture_.Green(x, y), picture_.Green(x, kHeight - 1 - y)) << x << "," << y;
        }
    }
}

TEST_F(BackgroundFile, CornersAreRoundedCutsWithoutHoles) {
    // Top-left corner; the others mirror it (previous test).
    int inside_frame = 0;
    for (int y = 1; y <= 12; ++y) {
        for (int x = 1; x <= 12; ++x) {
            if (!picture_.Green(x, y)) continue;
            ++inside_frame;
            SCOPED_TRACE(testing::Message() << "green pixel " << x << "," << y);
            // A quarter circle cut: green towards the corner, symmetric about
            // the diagonal.
            EXPECT_TRUE(picture_.Green(x - 1, y));
            EXPECT_TRUE(picture_.Green(x, y - 1));
            EXPECT_TRUE(picture_.Green(y, x));
        }
    }
    EXPECT_EQ(inside_frame, 17);
}

TEST_F(BackgroundFile, DarkOutlineBordersTheSeeThroughPixels) {
    // Whatever touches the see-through area shows against the desktop:
    // it must be the dark blue outline, also along the rounded corners.
    for (int y = 1; y < kHeight - 1; ++y) {
        for (int x = 1; x < kWidth - 1; ++x) {
            if (picture_.Green(x, y)) continue;
            const bool edge = picture_.Green(x - 1, y) || picture_.Green(x + 1, y) ||
                              picture_.Green(x, y - 1) || picture_.Green(x, y + 1);
            if (!edge) continue;
            const Rgb c = picture_.At(x, y);
            EXPECT_LT(Luminance(c), 100) << x << "," << y;
            EXPECT_GT(c.b, c.r) << x << "," << y;
        }
    }
}

TEST_F(BackgroundFile, BandsFromTopToBottom) {
    struct Band {
        const char* name;
        int first_row, last_row;
        std::function<bool(Rgb)> holds;
    };
    const int body = Luminance(picture_.At(3, 160));  // the light-blue body beside the panel
    const Band bands[] = {
        {"white strip", 2, 16, [](Rgb c) { return std::min({c.r, c.g, c.b}) >= 225; }},
        {"blue header", 17, 70, [](Rgb c) { return c.b >= c.r + 60 && c.b > c.g; }},
        {"darker blue bottom strip", 279, 289,
         [body](Rgb c) { return c.b >= c.r + 60 && Luminance(c) < body - 60; }},
    };
    for (const Band& band : bands) {
        SCOPED_TRACE(band.name);
        // Columns clear of the rounded corners and of the header's emblem.
        for (int y = band.first_row; y <= band.last_row; ++y)
            for (int x = 70; x < kWidth - 12; ++x)
                ASSERT_TRUE(band.holds(picture_.At(x, y))) << x << "," << y;
    }
    EXPECT_GT(body, 190) << "the body is light";
    EXPECT_GT(picture_.At(3, 160).b, picture_.At(3, 160).r) << "the body is blue";
    EXPECT_GT(Luminance(picture_.At(256, 160)), body) << "the inner panel is lighter than the body";
}

TEST_F(BackgroundFile, ItemsOfTheMainWindowStandOnALightPanel) {
    // Black label and status texts are drawn straight onto the picture, and
    // the fields and buttons should sit on the panel, not on a band edge.
    struct Box {
        const char* name;
        int left, top, width, height;
    };
    std::vector<Box> boxes = {{"status line", 32, 96, 465, 25},
                              {"ConfirmButton", 224, 248, 89, 25},
                              {"RestoreButton", 320, 248, 89, 25},
                              {"ExitButton", 416, 248, 89, 25}};
    const int columns[] = {72, 176, 280, 384};
    const int rows[] = {120, 144, 176, 200, 224};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 4; ++column) {
            if ((row == 1 && column > 0) || (row == 4 && column > 1)) continue;
            boxes.push_back({"field", columns[column], rows[row], 49, 20});
            boxes.push_back({"label", columns[column] - 40, rows[row] + 3, 49, 25});
        }
    }
    ASSERT_EQ(boxes.size(), 4u + 30u);
    for (const Box& box : boxes) {
        SCOPED_TRACE(testing::Message() << box.name << " at " << box.left << "," << box.top);
        for (int y = box.top; y < box.top + box.height; ++y)
            for (int x = box.left; x < box.left + box.width; ++x)
                ASSERT_GE(Luminance(picture_.At(x, y)), 200) << x << "," << y;
    }
}

// --- The icon -------------------------------------------------------------

class IconFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bytes_ = ReadWholeFile(SourceFile("res/tarnwick.ico")); }
    void SetUp() override { ASSERT_GT(bytes_.size(), 6u + 2 * 16) << "res/tarnwick.ico missing"; }
    static std::vector<std::uint8_t> bytes_;
};
std::vector<std::uint8_t> IconFile::bytes_;

struct IconEntry {
    int size;
    std::uint32_t bytes;
    std::uint32_t offset;
};

std::vector<IconEntry> Entries(const std::vector<std::uint8_t>& ico) {
    std::vector<IconEntry> entries;
    for (int i = 0; i < Le16(ico, 4); ++i) {
        const std::size_t at = 6 + 16 * static_cast<std::size_t>(i);
        entries.push_back({ico.at(at), Le32(ico, at + 8), Le32(ico, at + 12)});
    }
    return entries;
}

TEST_F(IconFile, DirectoryHoldsA32AndA64Pixel24BitImage) {
    EXPECT_EQ(Le16(bytes_, 0), 0);
    EXPECT_EQ(Le16(bytes_, 2), 1) << "type: icon";
    ASSERT_EQ(Le16(bytes_, 4), 2);
    const int sizes[] = {32, 64};
    std::uint32_t expected_offset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        const int s = sizes[i];
        SCOPED_TRACE(testing::Message() << s << " x " << s);
        const std::size_t at = 6 + 16 * static_cast<std::size_t>(i);
        EXPECT_EQ(bytes_[at], s);
        EXPECT_EQ(bytes_[at + 1], s);
        EXPECT_EQ(bytes_[at + 2], 0) << "no palette";
        EXPECT_EQ(Le16(bytes_, at + 4), 1) << "planes";
        EXPECT_EQ(Le16(bytes_, at + 6), 24) << "bits per pixel";
        // Header, colour rows, then the AND mask with rows padded to 32 bits.
        const std::uint32_t size = 40 + s * s * 3 + s * ((s + 31) / 32 * 4);
        EXPECT_EQ(Le32(bytes_, at + 8), size);
        EXPECT_EQ(Le32(bytes_, at + 12), expected_offset);
        const std::size_t image = expected_offset;
        ASSERT_LE(image + size, bytes_.size());
        EXPECT_EQ(Le32(bytes_, image), 40u);
        EXPECT_EQ(LeI32(bytes_, image + 4), s);
        EXPECT_EQ(LeI32(bytes_, image + 8), 2 * s) << "colour and mask rows together";
        EXPECT_EQ(Le16(bytes_, image + 14), 24);
        EXPECT_EQ(Le32(bytes_, image + 16), 0u) << "uncompressed";
        expected_offset += size;
    }
    EXPECT_EQ(expected_offset, bytes_.size()) << "nothing after the last image";
}

TEST_F(IconFile, MaskClearsOnlyTheCornersAndThePlatformDrawsIt) {
    for (const IconEntry& entry : Entries(bytes_)) {
        const int s = entry.size;
        SCOPED_TRACE(testing::Message() << s << " x " << s);
        ASSERT_LE(entry.offset + entry.bytes, bytes_.size());
        const std::size_t colours = entry.offset + 40;
        const std::size_t mask = colours + static_cast<std::size_t>(s) * s * 3;
        const std::size_t mask_stride = (s + 31) / 32 * 4;
        int see_through = 0;
        for (int y = 0; y < s; ++y) {  // rows bottom-up, as stored
            for (int x = 0; x < s; ++x) {
                const bool clear = bytes_[mask + y * mask_stride + x / 8] & (0x80 >> (x % 8));
                if (!clear) continue;
                ++see_through;
                const std::size_t at = colours + (static_cast<std::size_t>(y) * s + x) * 3;
                EXPECT_TRUE(bytes_[at] == 0 && bytes_[at + 1] == 0 && bytes_[at + 2] == 0)
                    << "see-through pixel " << x << "," << y << " must be black in the colour image";
            }
        }
        EXPECT_GT(see_through, 0) << "the rounded corners are see-through";
        EXPECT_LT(see_through, s * s / 10) << "only the corners";

        // Hand the image to the platform and draw it over a marker colour:
        // the corners keep the marker, the middle shows the butterfly.
        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(bytes_.data() + entry.offset), entry.bytes, TRUE,
                                              0x00030000, s, s, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), s, -s, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        HGDIOBJ old = SelectObject(dc, dib);
        auto* px = static_cast<std::uint32_t*>(bits);
        constexpr std::uint32_t kMarker = 0x00AA33AA;
        std::fill(px, px + s * s, kMarker);
        EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, s, s, 0, nullptr, DI_NORMAL));
        GdiFlush();
        EXPECT_EQ(px[0] & 0xFFFFFF, kMarker) << "top-left corner";
        EXPECT_EQ(px[s * s - 1] & 0xFFFFFF, kMarker) << "bottom-right corner";
        EXPECT_NE(px[(s / 2) * s + s / 2] & 0xFFFFFF, kMarker) << "middle";
        EXPECT_EQ(px[s / 2] & 0xFFFFFF, 0u) << "black at the middle of the top edge";
        SelectObject(dc, old);
        DeleteObject(dib);
        DeleteDC(dc);
        DestroyIcon(icon);
    }
}

TEST_F(IconFile, ButterflyIsPastelOnBlack) {
    // Count light, unsaturated-ish colours: pastel pixels have every channel
    // well above zero and are bright. Black fills the rest.
    for (const IconEntry& entry : Entries(bytes_)) {
        const int s = entry.size;
        SCOPED_TRACE(testing::Message() << s << " x " << s);
        const std::size_t colours = entry.offset + 40;
        int pastel = 0, black = 0;
        for (int i = 0; i < s * s; ++i) {
            const std::size_t at = colours + static_cast<std::size_t>(i) * 3;
            const Rgb c{bytes_[at + 2], bytes_[at + 1], bytes_[at]};
            if (c == Rgb{}) ++black;
            if (std::min({c.r, c.g, c.b}) >= 120 && Luminance(c) >= 170) ++pastel;
        }
        EXPECT_GT(pastel, s * s / 4) << "the butterfly covers a good part of the icon";
        EXPECT_GT(black, s * s / 5) << "on black";
    }
}

}  // namespace
}  // namespace tarnwick::test
