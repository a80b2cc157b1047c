// Draws the control's pictures as 4-bit device-independent bitmaps in the 16 standard colours:
// the 150 x 128 logo (an adult's hand, black, reaching toward a baby's hand, blue, above the word
// Ruvo) and the 16 x 15 toolbox picture. Usage: draw_logo LOGO.bmp TOOLBOX.bmp
//
// Each hand is a union of filled ellipses and capsules; only its outline is drawn, so the result
// reads as a line drawing.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

enum Colour : std::uint8_t { Black = 0, Grey = 8, Blue = 12, White = 15 };

// The standard 16-colour palette, as red, green, blue.
constexpr std::array<std::array<std::uint8_t, 3>, 16> palette = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

struct Canvas {
    int width, height;
    std::vector<std::uint8_t> pixels;

    Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), White) {}

    void set(int x, int y, std::uint8_t colour) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[static_cast<std::size_t>(y * width + x)] = colour;
    }
};

// A set of pixels built from filled shapes.
struct Mask {
    int width, height;
    std::vector<bool> inside;

    Mask(int w, int h) : width(w), height(h), inside(static_cast<std::size_t>(w * h)) {}

    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               inside[static_cast<std::size_t>(y * width + x)];
    }

    template <typename Contains>
    void fill(Contains contains) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (contains(x + 0.5, y + 0.5))
                    inside[static_cast<std::size_t>(y * width + x)] = true;
    }

    void ellipse(double cx, double cy, double rx, double ry) {
        fill([=](double x, double y) {
            return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1;
        });
    }

    // A segment from (x1, y1) to (x2, y2) thickened to radius r, with round ends.
    void capsule(double x1, double y1, double x2, double y2, double r) {
        fill([=](double x, double y) {
            const double dx = x2 - x1, dy = y2 - y1;
            double t = ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy);
            t = std::fmax(0, std::fmin(1, t));
            const double px = x1 + t * dx - x, py = y1 + t * dy - y;
            return px * px + py * py <= r * r;
        });
    }

    // Draws the pixels of the mask that touch a pixel outside it.
    void outline(Canvas& canvas, std::uint8_t colour) const {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y) && (!at(x - 1, y) || !at(x + 1, y) || !at(x, y - 1) || !at(x, y + 1)))
                    canvas.set(x, y, colour);
    }
};

// 5 x 7 glyphs of the word, one string a row.
constexpr std::array<std::array<const char*, 7>, 4> ruvo = {{
    {"11110", "10001", "10001", "11110", "10100", "10010", "10001"},
    {"00000", "00000", "10001", "10001", "10001", "10011", "01101"},
    {"00000", "00000", "10001", "10001", "10001", "01010", "00100"},
    {"00000", "00000", "01110", "10001", "10001", "10001", "01110"},
}};

void drawWord(Canvas& canvas, int left, int top, int scale, std::uint8_t colour) {
    for (std::size_t glyph = 0; glyph < ruvo.size(); ++glyph)
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (ruvo[glyph][static_cast<std::size_t>(row)][column] == '1')
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            canvas.set(left + static_cast<int>(glyph) * 6 * scale + column * scale +
                                           dx,
                                       top + row * scale + dy, colour);
}

Canvas drawLogo() {
    Canvas canvas(150, 128);
    Mask adult(150, 128);
    adult.capsule(-12, 64, 22, 53, 11); // forearm
    adult.ellipse(36, 50, 16, 12);      // palm
    adult.capsule(44, 44, 74, 40, 4);   // index finger, reaching
    adult.capsule(40, 40, 54, 30, 4);   // thumb
    adult.capsule(47, 52, 58, 54, 4);   // the other fingers, curled
    adult.capsule(45, 58, 55, 62, 4);
    adult.capsule(40, 62, 48, 67, 3.5);
    adult.outline(canvas, Black);

    Mask baby(150, 128);
    baby.capsule(162, 64, 126, 58, 9); // forearm
    baby.ellipse(114, 55, 10, 8);      // palm
    baby.capsule(106, 50, 88, 46, 3);  // index finger, reaching back
    baby.capsule(110, 49, 100, 41, 2.5);
    baby.capsule(106, 55, 92, 56, 3);
    baby.capsule(107, 59, 95, 62, 2.5);
    baby.capsule(109, 62, 100, 67, 2);
    baby.outline(canvas, Blue);

    drawWord(canvas, (150 - (4 * 6 - 1) * 3) / 2, 94, 3, Blue);
    return canvas;
}

Canvas drawToolboxPicture() {
    Canvas canvas(16, 15);
    for (int x = 0; x < 16; ++x) {
        canvas.set(x, 0, Grey);
        canvas.set(x, 14, Grey);
    }
    for (int y = 0; y < 15; ++y) {
        canvas.set(0, y, Grey);
        canvas.set(15, y, Grey);
    }
    for (int x = 1; x <= 6; ++x) { // the adult's finger
        canvas.set(x, 8 - x / 3, Black);
        canvas.set(x, 9 - x / 3, Black);
    }
    for (int x = 14; x >= 9; --x) // the baby's finger
        canvas.set(x, 7 - (14 - x) / 3, Blue);
    return canvas;
}

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void put32(std::string& out, unsigned value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// An uncompressed bottom-up 4-bit BMP with the 16-colour palette.
std::string bitmapFile(const Canvas& canvas) {
    const unsigned rowBytes = (static_cast<unsigned>(canvas.width) * 4 + 31) / 32 * 4;
    const unsigned imageBytes = rowBytes * static_cast<unsigned>(canvas.height);
    const unsigned offset = 14 + 40 + 16 * 4;
    std::string out = "BM";
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<unsigned>(canvas.width));
    put32(out, static_cast<unsigned>(canvas.height));
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // no compression
    put32(out, imageBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (const auto& [red, green, blue] : palette) {
        out += static_cast<char>(blue);
        out += static_cast<char>(green);
        out += static_cast<char>(red);
        out += '\0';
    }
    for (int y = canvas.height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < canvas.width; ++x) {
            const auto index = canvas.pixels[static_cast<std::size_t>(y * canvas.width + x)];
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<char>(x % 2 == 0 ? index << 4 : index);
        }
        out += row;
    }
    return out;
}

bool write(const char* path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: draw_logo LOGO.bmp TOOLBOX.bmp\n");
        return 2;
    }
    if (!write(argv[1], bitmapFile(drawLogo())) ||
        !write(argv[2], bitmapFile(drawToolboxPicture()))) {
        std::fprintf(stderr, "draw_logo: cannot write the pictures\n");
        return 1;
    }
    return 0;
}
