#include "res/generator/resource_images.h"

#include <algorithm>

namespace tarnwick::resources {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

namespace {

using i64 = std::int64_t;

// a + (b - a) * t / scale per channel, rounded to nearest.
Rgb Mix(Rgb a, Rgb b, int t, int scale) {
    auto channel = [&](int from, int to) {
        return static_cast<std::uint8_t>((from * (scale - t) + to * t + scale / 2) / scale);
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Colour of a vertical gradient from `first` (at row `from`) to `last` (at
// row `to`), for a row between them.
Rgb Ramp(Rgb first, Rgb last, int row, int from, int to) {
    if (to == from) return first;
    return Mix(first, last, std::clamp(row - from, 0, to - from), to - from);
}

// --- Coverage of rounded rectangles -------------------------------------
//
// Edges are smoothed by sampling each pixel at 4 x 4 points. Coordinates of
// the sample points are kept in eighths of a pixel so that they stay
// integers: the samples of pixel x lie at 8x + 1, 8x + 3, 8x + 5, 8x + 7.

constexpr int kSamples = 16;

bool InsideRoundedRect(int sx, int sy, int scale, int left, int top, int right, int bottom,
                       int radius) {
    if (sx < scale * left || sx >= scale * right || sy < scale * top || sy >= scale * bottom)
        return false;
    // The nearest point of the rectangle shrunk by the radius is the centre
    // of the corner circle when the sample lies in a corner, and the sample
    // itself otherwise.
    i64 cx = std::clamp(sx, scale * (left + radius), scale * (right - radius));
    i64 cy = std::clamp(sy, scale * (top + radius), scale * (bottom - radius));
    i64 dx = sx - cx;
    i64 dy = sy - cy;
    i64 r = static_cast<i64>(scale) * radius;
    return dx * dx + dy * dy <= r * r;
}

// How many of the 16 samples of pixel (x, y) lie inside the rectangle
// [left, right) x [top, bottom) with rounded corners of the given radius.
int RoundedRectCoverage(int x, int y, int left, int top, int right, int bottom, int radius) {
    int count = 0;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            if (InsideRoundedRect(8 * x + 2 * i + 1, 8 * y + 2 * j + 1, 8, left, top, right, bottom,
                                  radius))
                ++count;
        }
    }
    return count;
}

// --- The butterfly ------------------------------------------------------
//
// Drawn in a design square of 1000 x 1000 units, y downwards, symmetric about
// u = 500. Every shape is tested on the left half; the right half mirrors it.

struct Ellipse {
    int cx, cy;  // centre
    int a, b;    // half-axis along the direction (c, s), half-axis across it
    int c, s;    // direction of the long axis, small integers (need not be unit length)
};

// Where (u, v) lies relative to the ellipse, as 256 times the square of its
// scaled distance from the centre: 0 at the centre, 256 on the edge, more
// outside.
i64 EllipseLevel(const Ellipse& e, i64 u, i64 v) {
    i64 dx = u - e.cx;
    i64 dy = v - e.cy;
    i64 along = dx * e.c + dy * e.s;
    i64 across = -dx * e.s + dy * e.c;
    i64 a2 = static_cast<i64>(e.a) * e.a;
    i64 b2 = static_cast<i64>(e.b) * e.b;
    i64 norm = static_cast<i64>(e.c) * e.c + static_cast<i64>(e.s) * e.s;
    i64 lhs = along * along * b2 + across * across * a2;
    i64 rhs = a2 * b2 * norm;
    // Far outside, lhs / rhs is large but stays well inside 64 bits for the
    // design square; cap it so callers only compare against small numbers.
    if (lhs > rhs * 4) return 1024;
    return lhs * 256 / rhs;
}

bool InsideCircle(i64 u, i64 v, i64 cx, i64 cy, i64 r) {
    return (u - cx) * (u - cx) + (v - cy) * (v - cy) <= r * r;
}

// Within `width` of the segment from (ax, ay) to (bx, by).
bool NearSegment(i64 u, i64 v, i64 ax, i64 ay, i64 bx, i64 by, i64 width) {
    i64 dx = bx - ax;
    i64 dy = by - ay;
    i64 length2 = dx * dx + dy * dy;
    i64 t = (u - ax) * dx + (v - ay) * dy;
    if (t <= 0) return InsideCircle(u, v, ax, ay, width);
    if (t >= length2) return InsideCircle(u, v, bx, by, width);
    i64 pu = u - ax;
    i64 pv = v - ay;
    // Squared distance to the line, times length2.
    i64 distance2 = (pu * pu + pv * pv) * length2 - t * t;
    return distance2 <= width * width * length2;
}

// Each wing is the union of two ellipses: the upper wing reaches up and out
// to a pointed tip and has a broad outer edge, the lower wing hangs down.
constexpr Ellipse kUpperWing[] = {{322, 318, 196, 116, -14, -10}, {326, 420, 168, 92, -16, 5}};
constexpr Ellipse kLowerWing[] = {{378, 628, 150, 100, -9, 14}, {410, 590, 120, 88, -16, 8}};
constexpr Ellipse kBody{500, 548, 190, 26, 0, 1};

// Wing colours: pale near the wing's centre, deeper towards its edge, and a
// rim a shade darker still.
constexpr Rgb kUpperInner{255, 216, 236};
constexpr Rgb kUpperOuter{200, 172, 250};
constexpr Rgb kUpperRim{222, 140, 206};
constexpr Rgb kLowerInner{206, 246, 228};
constexpr Rgb kLowerOuter{150, 204, 250};
constexpr Rgb kLowerRim{104, 168, 226};
constexpr Rgb kSpot{255, 247, 252};
constexpr Rgb kBodyTop{252, 234, 208};
constexpr Rgb kBodyBottom{236, 196, 168};

// Level (out of 256) from which a wing point belongs to the rim.
constexpr int kRimLevel = 200;

bool WingColour(const Ellipse (&wing)[2], Rgb inner, Rgb outer, Rgb rim, i64 u, i64 v, Rgb& colour) {
    i64 level = std::min(EllipseLevel(wing[0], u, v), EllipseLevel(wing[1], u, v));
    if (level > 256) return false;
    if (level >= kRimLevel)
        colour = rim;
    else
        colour = Mix(inner, outer, static_cast<int>(level), kRimLevel);
    return true;
}

// The butterfly's colour at design point (u, v); false where it is not.
bool ButterflyAt(i64 u, i64 v, Rgb& colour) {
    if (u > 500) u = 1000 - u;
    // Antennae with round club tips, then head and body.
    if (InsideCircle(u, v, 400, 136, 22) || NearSegment(u, v, 488, 300, 402, 142, 14)) {
        colour = kBodyTop;
        return true;
    }
    if (InsideCircle(u, v, 500, 330, 40)) {
        colour = kBodyTop;
        return true;
    }
    if (EllipseLevel(kBody, u, v) <= 256) {
        colour = Ramp(kBodyTop, kBodyBottom, static_cast<int>(v), 360, 738);
        return true;
    }
    // Spots along the outer edges of the wings.
    if (InsideCircle(u, v, 196, 236, 24) || InsideCircle(u, v, 244, 196, 15) ||
        InsideCircle(u, v, 180, 300, 13) || InsideCircle(u, v, 318, 724, 22)) {
        colour = kSpot;
        return true;
    }
    if (WingColour(kUpperWing, kUpperInner, kUpperOuter, kUpperRim, u, v, colour)) return true;
    if (WingColour(kLowerWing, kLowerInner, kLowerOuter, kLowerRim, u, v, colour)) return true;
    return false;
}

// Composites the butterfly onto `image` in the square of `size` pixels at
// (left, top); `opacity` 256 is fully opaque.
void DrawButterfly(Image& image, int left, int top, int size, int opacity) {
    // The drawing fills the middle of the design square; this maps the
    // square onto the butterfly's bounding box with a small margin.
    constexpr int kZoom = 84;          // percent of the design square shown
    constexpr int kCentreV = 444;      // design row shown at the middle
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            int hits = 0;
            int sum_r = 0, sum_g = 0, sum_b = 0;
            for (int j = 0; j < 4; ++j) {
                for (int i = 0; i < 4; ++i) {
                    // Sample position in thousandths of the square.
                    i64 su = static_cast<i64>((px * 4 + i) * 2 + 1) * 1000 / (size * 8);
                    i64 sv = static_cast<i64>((py * 4 + j) * 2 + 1) * 1000 / (size * 8);
                    i64 u = 500 + (su - 500) * kZoom / 100;
                    i64 v = kCentreV + (sv - 500) * kZoom / 100;
                    Rgb c;
                    if (!ButterflyAt(u, v, c)) continue;
                    ++hits;
                    sum_r += c.r;
                    sum_g += c.g;
                    sum_b += c.b;
                }
            }
            if (hits == 0) continue;
            Rgb& dst = image.At(left + px, top + py);
            int keep = kSamples * 256 - hits * opacity;
            auto blend = [&](int under, int sum) {
                return static_cast<std::uint8_t>((under * keep + sum * opacity + kSamples * 128) /
                                                 (kSamples * 256));
            };
            dst = {blend(dst.r, sum_r), blend(dst.g, sum_g), blend(dst.b, sum_b)};
        }
    }
}

// --- The background picture ---------------------------------------------

// Rows of the picture's bands, counted from the top.
constexpr int kWhiteFirst = 2, kWhiteLast = 16;
constexpr int kHeaderFirst = 17, kHeaderLast = 70;
constexpr int kBodyFirst = 71, kBodyLast = 278;
constexpr int kFooterFirst = 279, kFooterLast = 289;

// The lighter panel under the status line, the fields and the buttons:
// [left, right) x [top, bottom). The buttons end at x 505 and y 273, the
// labels start at x 32 and the status line at y 96.
constexpr int kPanelLeft = 5, kPanelTop = 74, kPanelRight = 509, kPanelBottom = 276;
constexpr int kPanelRadius = 6;

constexpr Rgb kOutline{28, 66, 128};
constexpr Rgb kWhiteTop{255, 255, 255};
constexpr Rgb kWhiteBottom{238, 245, 252};
constexpr Rgb kHeaderHighlight{126, 186, 242};
constexpr Rgb kHeaderGlossTop{96, 166, 238};
constexpr Rgb kHeaderGlossBottom{68, 140, 224};
constexpr Rgb kHeaderLowTop{52, 124, 212};
constexpr Rgb kHeaderLowBottom{40, 104, 192};
constexpr Rgb kHeaderShadow{30, 80, 152};
constexpr Rgb kBodyTopColour{216, 232, 250};
constexpr Rgb kBodyBottomColour{200, 221, 246};
constexpr Rgb kPanelFillTop{250, 252, 255};
constexpr Rgb kPanelFillBottom{236, 244, 253};
constexpr Rgb kPanelBorder{162, 194, 230};
constexpr Rgb kSeparator{208, 224, 243};
constexpr Rgb kFooterHighlight{106, 160, 224};
constexpr Rgb kFooterTop{64, 124, 202};
constexpr Rgb kFooterBottom{42, 94, 172};

// The colour of a row's band, before the panel and the outline are drawn.
Rgb BandColour(int y) {
    if (y <= kWhiteLast) return Ramp(kWhiteTop, kWhiteBottom, y, kWhiteFirst, kWhiteLast);
    if (y <= kHeaderLast) {
        // A glossy header: a bright upper half, a deeper lower half, a light
        // first row and a shadow on the last.
        constexpr int kGlossLast = 43;
        if (y == kHeaderFirst) return kHeaderHighlight;
        if (y == kHeaderLast) return kHeaderShadow;
        if (y <= kGlossLast) return Ramp(kHeaderGlossTop, kHeaderGlossBottom, y, kHeaderFirst + 1, kGlossLast);
        return Ramp(kHeaderLowTop, kHeaderLowBottom, y, kGlossLast + 1, kHeaderLast - 1);
    }
    if (y <= kBodyLast) return Ramp(kBodyTopColour, kBodyBottomColour, y, kBodyFirst, kBodyLast);
    if (y == kFooterFirst) return kFooterHighlight;
    return Ramp(kFooterTop, kFooterBottom, y, kFooterFirst + 1, kFooterLast);
}

void DrawPanel(Image& image) {
    for (int y = kPanelTop; y < kPanelBottom; ++y) {
        Rgb fill = Ramp(kPanelFillTop, kPanelFillBottom, y, kPanelTop, kPanelBottom - 1);
        for (int x = kPanelLeft; x < kPanelRight; ++x) {
            int outer = RoundedRectCoverage(x, y, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom,
                                            kPanelRadius);
            int inner = RoundedRectCoverage(x, y, kPanelLeft + 1, kPanelTop + 1, kPanelRight - 1,
                                            kPanelBottom - 1, kPanelRadius - 1);
            Rgb& dst = image.At(x, y);
            Rgb edge = Mix(dst, kPanelBorder, outer, kSamples);
            dst = Mix(edge, fill, inner, kSamples);
        }
    }
}

// Soft light arcs across the right of the header: the parts of two large
// circles that fall on the header are lightened a little.
void DrawHeaderArcs(Image& image) {
    struct Arc {
        int cx, cy, radius, strength;  // strength in 256ths towards white
    };
    constexpr Arc kArcs[] = {{430, 262, 218, 26}, {604, 8, 152, 20}};
    constexpr Rgb kWhite{255, 255, 255};
    for (const Arc& arc : kArcs) {
        for (int y = kHeaderFirst + 1; y < kHeaderLast; ++y) {
            for (int x = std::max(0, arc.cx - arc.radius); x < std::min(kBackgroundWidth, arc.cx + arc.radius); ++x) {
                int cover = RoundedRectCoverage(x, y, arc.cx - arc.radius, arc.cy - arc.radius,
                                                arc.cx + arc.radius, arc.cy + arc.radius, arc.radius);
                Rgb& dst = image.At(x, y);
                dst = Mix(dst, kWhite, cover * arc.strength, kSamples * 256);
            }
        }
    }
}

// A faint rule between the status line and the first row of fields, fading
// out towards both ends.
void DrawSeparator(Image& image) {
    constexpr int kRow = 115, kLeft = 24, kRight = 490, kFade = 48;
    for (int x = kLeft; x < kRight; ++x) {
        int strength = std::min({x - kLeft, kRight - 1 - x, kFade});
        Rgb& dst = image.At(x, kRow);
        dst = Mix(dst, kSeparator, strength, kFade);
    }
}

}  // namespace

bool IsSeeThrough(int x, int y) {
    // The visible panel is [1, 513) x [1, 291) with rounded corners; a pixel
    // is see-through when its centre lies outside. Centres are in halves of
    // a pixel.
    return !InsideRoundedRect(2 * x + 1, 2 * y + 1, 2, 1, 1, kBackgroundWidth - 1,
                              kBackgroundHeight - 1, kCornerRadius);
}

Image DrawBackground() {
    Image image(kBackgroundWidth, kBackgroundHeight);
    for (int y = 0; y < kBackgroundHeight; ++y) {
        Rgb band = BandColour(std::clamp(y, kWhiteFirst, kFooterLast));
        for (int x = 0; x < kBackgroundWidth; ++x) image.At(x, y) = band;
    }
    DrawHeaderArcs(image);
    DrawPanel(image);
    DrawSeparator(image);
    // An emblem at the left of the header, and a faint watermark in the
    // free space right of the fields.
    DrawButterfly(image, 14, 20, 48, 256);
    DrawButterfly(image, 436, 150, 68, 64);

    // The dark outline runs one pixel inside the see-through frame and
    // follows the rounded corners; the inner side of its curve is smoothed.
    for (int y = 0; y < kBackgroundHeight; ++y) {
        for (int x = 0; x < kBackgroundWidth; ++x) {
            Rgb& dst = image.At(x, y);
            if (IsSeeThrough(x, y)) {
                dst = kKeyGreen;
                continue;
            }
            int inside = RoundedRectCoverage(x, y, 2, 2, kBackgroundWidth - 2, kBackgroundHeight - 2,
                                             kCornerRadius - 1);
            dst = Mix(kOutline, dst, inside, kSamples);
            // Only the frame and the corners may be the key green.
            if (dst == kKeyGreen) dst.g = 254;
        }
    }
    return image;
}

IconImage DrawIcon(int size) {
    // A black tile with rounded corners; outside the corners the icon is
    // see-through.
    const int radius = size / 6;
    IconImage icon{Image(size, size), std::vector<bool>(static_cast<std::size_t>(size) * size)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool inside = InsideRoundedRect(2 * x + 1, 2 * y + 1, 2, 0, 0, size, size, radius);
            icon.transparent[static_cast<std::size_t>(y) * size + x] = !inside;
        }
    }
    DrawButterfly(icon.colour, 0, 0, size, 256);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (icon.transparent[static_cast<std::size_t>(y) * size + x]) icon.colour.At(x, y) = Rgb{};
        }
    }
    return icon;
}

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

int RowBytes24(int width) { return (width * 3 + 3) / 4 * 4; }
int RowBytesMask(int width) { return (width + 31) / 32 * 4; }

// BITMAPINFOHEADER for an uncompressed 24-bit image.
void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int height, std::uint32_t image_bytes,
                   std::uint32_t pixels_per_metre) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
    Put16(out, 1);                                   // planes
    Put16(out, 24);                                  // bits per pixel
    Put32(out, 0);                                   // BI_RGB
    Put32(out, image_bytes);
    Put32(out, pixels_per_metre);
    Put32(out, pixels_per_metre);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // important colours
}

// The rows bottom-up, blue-green-red, each padded to four bytes.
void PutPixels(std::vector<std::uint8_t>& out, const Image& image) {
    int padding = RowBytes24(image.Width()) - image.Width() * 3;
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb& p = image.At(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        out.insert(out.end(), padding, 0);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
    constexpr std::uint32_t kHeaders = 14 + 40;
    // Two zero bytes follow the pixel rows, as paint programs have long
    // written them; they are counted in the image size.
    constexpr std::uint32_t kTrailer = 2;
    const std::uint32_t pixel_bytes = static_cast<std::uint32_t>(RowBytes24(image.Width())) * image.Height();
    std::vector<std::uint8_t> out;
    out.reserve(kHeaders + pixel_bytes + kTrailer);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kHeaders + pixel_bytes + kTrailer);
    Put32(out, 0);  // reserved
    Put32(out, kHeaders);
    PutInfoHeader(out, image.Width(), image.Height(), pixel_bytes + kTrailer, 3780);  // 96 dpi
    PutPixels(out, image);
    out.insert(out.end(), kTrailer, 0);
    return out;
}

std::vector<std::uint8_t> EncodeIcon(const std::vector<IconImage>& images) {
    auto image_bytes = [](const IconImage& icon) {
        const Image& c = icon.colour;
        return static_cast<std::uint32_t>((RowBytes24(c.Width()) + RowBytesMask(c.Width())) * c.Height());
    };
    std::vector<std::uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const IconImage& icon : images) {
        std::uint32_t size = 40 + image_bytes(icon);
        out.push_back(static_cast<std::uint8_t>(icon.colour.Width()));  // 256 would be 0
        out.push_back(static_cast<std::uint8_t>(icon.colour.Height()));
        out.push_back(0);  // no palette
        out.push_back(0);  // reserved
        Put16(out, 1);     // planes
        Put16(out, 24);    // bits per pixel
        Put32(out, size);
        Put32(out, offset);
        offset += size;
    }
    for (const IconImage& icon : images) {
        const Image& c = icon.colour;
        // The height counts the colour rows and the mask rows together.
        PutInfoHeader(out, c.Width(), c.Height() * 2, image_bytes(icon), 0);
        PutPixels(out, c);
        // AND mask, 1 bit per pixel, bottom-up, set where the icon is
        // see-through.
        const int row_bytes = RowBytesMask(c.Width());
        for (int y = c.Height() - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(row_bytes, 0);
            for (int x = 0; x < c.Width(); ++x) {
                if (icon.transparent[static_cast<std::size_t>(y) * c.Width() + x])
                    row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

std::vector<std::uint8_t> BackgroundBmpFile() { return EncodeBmp(DrawBackground()); }

std::vector<std::uint8_t> IconFile() {
    std::vector<IconImage> images;
    for (int size : kIconSizes) images.push_back(DrawIcon(size));
    return EncodeIcon(images);
}

}  // namespace tarnwick::resources
