#pragma once

// Pictures that the Windows test programs draw into memory and read back.
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <vector>

namespace ruvo::activex::testing {

// A picture in memory, 32 bits a pixel, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    COLORREF at(int x, int y) const {
        const DWORD pixel = pixels[static_cast<std::size_t>(y * width + x)];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
};

// Runs paint on a memory dc of the given size, and returns what it drew.
template <typename Paint>
Picture drawn(int width, int height, Paint paint) {
    Picture picture{width, height, {}};
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    paint(memory);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    picture.pixels.assign(first, first + width * height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return picture;
}

// The share of pixels whose channels differ by at most 8 (font smoothing aside).
inline double sameShare(const Picture& one, const Picture& other) {
    std::size_t same = 0;
    for (int y = 0; y < one.height; ++y) {
        for (int x = 0; x < one.width; ++x) {
            const COLORREF a = one.at(x, y), b = other.at(x, y);
            if (std::abs(GetRValue(a) - GetRValue(b)) <= 8 &&
                std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
                std::abs(GetBValue(a) - GetBValue(b)) <= 8)
                ++same;
        }
    }
    return static_cast<double>(same) / static_cast<double>(one.pixels.size());
}

} // namespace ruvo::activex::testing
