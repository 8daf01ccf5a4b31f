#include "tests/support/pixels.h"

#include <cstdio>

#include "win32/surface.h"

namespace tarnwick::test {
namespace {

// DIB bits hold 0x00RRGGBB; GDI colours are 0x00BBGGRR.
DWORD ToDib(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

COLORREF FromDib(DWORD bits) {
    return RGB((bits >> 16) & 0xFF, (bits >> 8) & 0xFF, bits & 0xFF);
}

}  // namespace

DibCanvas::DibCanvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), surface_(CreatePixelSurface(width, height, &bits_)) {
    Fill(fill);
}

COLORREF DibCanvas::At(int x, int y) const {
    GdiFlush();
    return FromDib(bits_[y * width_ + x]);
}

void DibCanvas::Set(int x, int y, COLORREF colour) {
    GdiFlush();
    bits_[y * width_ + x] = ToDib(colour);
}

void DibCanvas::Fill(COLORREF colour) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) {
        bits_[i] = ToDib(colour);
    }
}

void DibCanvas::CopyFrom(HDC source, int x, int y) {
    BitBlt(surface_, 0, 0, width_, height_, source, x, y, SRCCOPY);
    GdiFlush();
}

std::vector<COLORREF> DibCanvas::Pixels() const {
    GdiFlush();
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(width_ * height_));
    for (int i = 0; i < width_ * height_; ++i) {
        pixels.push_back(FromDib(bits_[i]));
    }
    return pixels;
}

int DibCanvas::CountInsideNot(int left, int top, int width, int height, COLORREF colour) const {
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            count += At(x, y) != colour;
        }
    }
    return count;
}

int DibCanvas::CountOutsideNot(int left, int top, int width, int height, COLORREF outside) const {
    int count = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            bool inside = x >= left && x < left + width && y >= top && y < top + height;
            count += !inside && At(x, y) != outside;
        }
    }
    return count;
}

bool DibCanvas::SaveBmp(const std::wstring& path, int scale) const {
    GdiFlush();
    int outWidth = width_ * scale;
    int outHeight = height_ * scale;
    int stride = (outWidth * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = outWidth;
    header.biHeight = outHeight;  // bottom-up rows follow
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride * outHeight);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;

    std::vector<unsigned char> rows(static_cast<size_t>(stride * outHeight), 0);
    for (int y = 0; y < outHeight; ++y) {
        unsigned char* row = &rows[static_cast<size_t>((outHeight - 1 - y) * stride)];
        for (int x = 0; x < outWidth; ++x) {
            COLORREF c = FromDib(bits_[(y / scale) * width_ + x / scale]);
            row[x * 3 + 0] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &header, sizeof header, &written, nullptr) &&
              WriteFile(out, rows.data(), static_cast<DWORD>(rows.size()), &written, nullptr);
    CloseHandle(out);
    return ok;
}

std::string ColourText(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(colour));
    return text;
}

std::vector<COLORREF> ReadPixels(HDC dc, int x, int y, int width, int height) {
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(width * height));
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            pixels.push_back(GetPixel(dc, column, row));
        }
    }
    return pixels;
}

}  // namespace tarnwick::test
