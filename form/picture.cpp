#include "form/picture.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {
namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

int RowBytes(int width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

// The picture's pixels, top row first, and which of them have the key colour.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    std::vector<bool> key;

    bool KeyAt(int x, int y) const { return key[static_cast<size_t>(y) * width + x]; }
};

Canvas ReadCanvas(const BITMAPINFOHEADER& header, const std::uint8_t* bits, COLORREF key) {
    Canvas canvas;
    canvas.width = header.biWidth;
    canvas.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const int stride = RowBytes(canvas.width, 24);
    const Rgb keyRgb{GetRValue(key), GetGValue(key), GetBValue(key)};
    canvas.pixels.resize(static_cast<size_t>(canvas.width) * canvas.height);
    canvas.key.resize(canvas.pixels.size());
    for (int y = 0; y < canvas.height; ++y) {
        // Bottom-up unless the height is negative.
        const std::uint8_t* row = bits + static_cast<size_t>(header.biHeight < 0 ? y : canvas.height - 1 - y) * stride;
        for (int x = 0; x < canvas.width; ++x) {
            const Rgb pixel{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
            const size_t i = static_cast<size_t>(y) * canvas.width + x;
            canvas.pixels[i] = pixel;
            canvas.key[i] = pixel.r == keyRgb.r && pixel.g == keyRgb.g && pixel.b == keyRgb.b;
        }
    }
    return canvas;
}

// Gives every key pixel the mean colour of its non-key neighbours (of those
// filled in an earlier round, once none is left), working inwards from the
// edges of each key area, so that interpolation next to a key area mixes
// only the picture's own colours.
std::vector<Rgb> FillKeyPixels(const Canvas& canvas) {
    std::vector<Rgb> filled = canvas.pixels;
    std::vector<bool> known(canvas.key.size());
    std::vector<size_t> open;
    for (size_t i = 0; i < known.size(); ++i) {
        known[i] = !canvas.key[i];
        if (canvas.key[i]) open.push_back(i);
    }
    while (!open.empty()) {
        std::vector<std::pair<size_t, Rgb>> round;
        std::vector<size_t> still;
        for (size_t i : open) {
            const int x = static_cast<int>(i % canvas.width), y = static_cast<int>(i / canvas.width);
            Rgb sum;
            int count = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= canvas.width || ny >= canvas.height) continue;
                    const size_t n = static_cast<size_t>(ny) * canvas.width + nx;
                    if (!known[n]) continue;
                    sum.r += filled[n].r;
                    sum.g += filled[n].g;
                    sum.b += filled[n].b;
                    ++count;
                }
            }
            if (count == 0) {
                still.push_back(i);
            } else {
                round.push_back({i, {(sum.r + count / 2) / count, (sum.g + count / 2) / count,
                                     (sum.b + count / 2) / count}});
            }
        }
        if (round.empty()) break;  // a picture of nothing but the key colour
        for (const auto& [i, colour] : round) {
            filled[i] = colour;
            known[i] = true;
        }
        open.swap(still);
    }
    return filled;
}

// Where the centre of target pixel `t` of `targetSize` falls on the source
// axis of `sourceSize` pixels, for interpolation: the lower source pixel and
// the weight of the upper one.
struct Sample {
    int low;
    int high;
    double weight;
};

Sample SampleAt(int t, int targetSize, int sourceSize) {
    double position = (t + 0.5) * sourceSize / targetSize - 0.5;
    position = std::clamp(position, 0.0, static_cast<double>(sourceSize - 1));
    const int low = static_cast<int>(std::floor(position));
    return {low, std::min(low + 1, sourceSize - 1), position - low};
}

// The source pixel whose area holds the centre of target pixel `t`.
int NearestAt(int t, int targetSize, int sourceSize) {
    return static_cast<int>((2LL * t + 1) * sourceSize / (2LL * targetSize));
}

int Channel(double value) { return std::clamp(static_cast<int>(std::lround(value)), 0, 255); }

}  // namespace

ScaledPicture ScalePicture(const BITMAPINFO& info, const void* bits, int width, int height, COLORREF key) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    ScaledPicture scaled;
    if (header.biBitCount != 24 || header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0 ||
        width <= 0 || height <= 0) {
        return scaled;
    }
    const Canvas source = ReadCanvas(header, static_cast<const std::uint8_t*>(bits), key);
    const std::vector<Rgb> filled = FillKeyPixels(source);
    auto at = [&](int x, int y) -> const Rgb& { return filled[static_cast<size_t>(y) * source.width + x]; };

    scaled.info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    scaled.info.bmiHeader.biWidth = width;
    scaled.info.bmiHeader.biHeight = -height;
    scaled.info.bmiHeader.biPlanes = 1;
    scaled.info.bmiHeader.biBitCount = 24;
    scaled.info.bmiHeader.biCompression = BI_RGB;
    const int stride = RowBytes(width, 24);
    scaled.bits.assign(static_cast<size_t>(stride) * height, 0);

    std::vector<Sample> columns(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) columns[x] = SampleAt(x, width, source.width);
    for (int y = 0; y < height; ++y) {
        const Sample row = SampleAt(y, height, source.height);
        const int nearestY = NearestAt(y, height, source.height);
        std::uint8_t* out = scaled.bits.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x, out += 3) {
            Rgb pixel;
            if (source.KeyAt(NearestAt(x, width, source.width), nearestY)) {
                pixel = {GetRValue(key), GetGValue(key), GetBValue(key)};
            } else {
                const Sample& column = columns[x];
                const Rgb &a = at(column.low, row.low), &b = at(column.high, row.low);
                const Rgb &c = at(column.low, row.high), &d = at(column.high, row.high);
                auto mix = [&](int Rgb::*channel) {
                    const double top = a.*channel + (b.*channel - a.*channel) * column.weight;
                    const double bottom = c.*channel + (d.*channel - c.*channel) * column.weight;
                    return Channel(top + (bottom - top) * row.weight);
                };
                pixel = {mix(&Rgb::r), mix(&Rgb::g), mix(&Rgb::b)};
                if (RGB(pixel.r, pixel.g, pixel.b) == key) pixel.b ^= 1;
            }
            out[0] = static_cast<std::uint8_t>(pixel.b);
            out[1] = static_cast<std::uint8_t>(pixel.g);
            out[2] = static_cast<std::uint8_t>(pixel.r);
        }
    }
    return scaled;
}

void FormPicture::Load(int resourceId) {
    info_ = nullptr;
    bits_ = nullptr;
    scaled_ = {};
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), reinterpret_cast<LPCWSTR>(RT_BITMAP));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* info = loaded ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
    if (!info || SizeofResource(module, found) < sizeof(BITMAPINFOHEADER)) return;
    // A bitmap resource is a BITMAPINFO, its colour table and then the
    // pixels; 24-bit pictures have no colour table.
    const BITMAPINFOHEADER& header = info->bmiHeader;
    DWORD colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8) colours = 1u << header.biBitCount;
    const DWORD masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    const DWORD offset = header.biSize + (colours + masks) * sizeof(RGBQUAD);
    // Rows of uncompressed pixels are padded to whole 32-bit words; a
    // resource too short for its pixels is not drawn.
    const long long rows = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    const long long stride = (static_cast<long long>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    const bool uncompressed = header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS;
    if (header.biWidth <= 0 || (uncompressed && offset + stride * rows > SizeofResource(module, found))) return;
    info_ = info;
    bits_ = reinterpret_cast<const BYTE*>(info) + offset;
}

void FormPicture::Draw(HDC dc, int width, int height, COLORREF key) {
    if (!info_) return;
    const BITMAPINFOHEADER& header = info_->bmiHeader;
    const int ownHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (width == header.biWidth && height == ownHeight) {
        SetDIBitsToDevice(dc, 0, 0, header.biWidth, ownHeight, 0, 0, 0, ownHeight, bits_, info_, DIB_RGB_COLORS);
        return;
    }
    if (scaled_.Width() != width || scaled_.Height() != height) {
        scaled_ = ScalePicture(*info_, bits_, width, height, key);
    }
    if (!scaled_.Empty()) {
        SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, scaled_.bits.data(), &scaled_.info,
                          DIB_RGB_COLORS);
        return;
    }
    // Another format: nearest-neighbour stretching makes no new colours, so
    // the key pixels stay exact there too.
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, width, height, 0, 0, header.biWidth, ownHeight, bits_, info_, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

}  // namespace tarnwick
