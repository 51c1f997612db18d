// Draws the program's icon, a silver disc with a dark-red play mark, from one
// description of its shapes, and writes every form the platforms need:
//   quorvel.ico       three images for Windows: 32x32 and 16x16 in the 16
//                     standard colours, and 32x32 in black and white;
//   quorvel.svg       the scalable icon for Linux desktops;
//   quorvel-N.png     smooth renditions for N = 16, 24, 32, 48, 64, 128, 256;
//   quorvel_icon_pixels.h  the renditions up to 64 pixels as pixel arrays for
//                     the window, which then shows its icon without decoding
//                     image files before its first frame.
// Usage: make_icon OUTPUT_DIRECTORY
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// The shapes, in a square of side 1 with y growing downwards.
constexpr double kDiscX = 0.45, kDiscY = 0.45, kDiscRadius = 0.43;
constexpr double kRimWidth = 0.06;   // the darker edge of the disc
constexpr double kHoleRadius = 0.09; // the see-through centre
constexpr double kRingRadius = 0.2;  // the clamping ring around the hole
constexpr double kPlay[3][2] = {{0.56, 0.50}, {0.56, 0.98}, {0.98, 0.74}};

// The 16 standard colours of a 4-bit Windows icon, as used here.
enum Colour : std::uint8_t { Black = 0, Maroon = 1, Silver = 7, Grey = 8, White = 15 };
constexpr std::uint8_t kPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

bool inPlay(double x, double y) {
    const auto side = [&](int a, int b) {
        return (kPlay[b][0] - kPlay[a][0]) * (y - kPlay[a][1]) -
               (kPlay[b][1] - kPlay[a][1]) * (x - kPlay[a][0]);
    };
    const double s0 = side(0, 1), s1 = side(1, 2), s2 = side(2, 0);
    return (s0 <= 0 && s1 <= 0 && s2 <= 0) || (s0 >= 0 && s1 >= 0 && s2 >= 0);
}

// What covers the point (x, y) of the unit square; -1 where nothing does.
int colourAt(double x, double y, bool monochrome) {
    if (inPlay(x, y)) {
        return monochrome ? Black : Maroon;
    }
    const double r = std::hypot(x - kDiscX, y - kDiscY);
    if (r > kDiscRadius || r < kHoleRadius) {
        return -1;
    }
    if (r > kDiscRadius - kRimWidth || r < kHoleRadius + 0.04) {
        return monochrome ? Black : Grey;
    }
    if (r < kRingRadius) {
        return White;
    }
    return monochrome ? White : Silver;
}

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// One icon image: a bitmap header, the palette, the colour rows and the
// transparency mask, both bottom-up with rows padded to four bytes.
std::vector<std::uint8_t> iconImage(int size, int bitsPerPixel) {
    const bool monochrome = bitsPerPixel == 1;
    const int colours = 1 << bitsPerPixel;
    const int colourRow = ((size * bitsPerPixel + 31) / 32) * 4;
    const int maskRow = ((size + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size * 2)); // colour rows and mask rows
    put16(out, 1);
    put16(out, static_cast<unsigned>(bitsPerPixel));
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * size));
    put32(out, 0);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(colours));
    put32(out, 0);
    for (int i = 0; i < colours; ++i) {
        const int entry = monochrome ? (i == 0 ? Black : White) : i;
        out.push_back(kPalette[entry][2]);
        out.push_back(kPalette[entry][1]);
        out.push_back(kPalette[entry][0]);
        out.push_back(0);
    }
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(colourRow * size));
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskRow * size));
    for (int y = 0; y < size; ++y) {
        const int row = size - 1 - y;
        for (int x = 0; x < size; ++x) {
            const int colour = colourAt((x + 0.5) / size, (y + 0.5) / size, monochrome);
            int index = 0;
            if (colour < 0) {
                mask[static_cast<std::size_t>(row * maskRow + x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else {
                index = monochrome ? (colour == Black ? 0 : 1) : colour;
            }
            if (monochrome) {
                if (index) {
                    pixels[static_cast<std::size_t>(row * colourRow + x / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
                }
            } else {
                pixels[static_cast<std::size_t>(row * colourRow + x / 2)] |=
                    static_cast<std::uint8_t>(x % 2 ? index : index << 4);
            }
        }
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

void writeIco(const std::string& path) {
    const struct {
        int size;
        int bits;
    } images[] = {{32, 4}, {16, 4}, {32, 1}};
    std::vector<std::vector<std::uint8_t>> data;
    for (const auto& image : images) {
        data.push_back(iconImage(image.size, image.bits));
    }
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, 3);
    std::uint32_t offset = 6 + 16 * 3;
    for (std::size_t i = 0; i < data.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(static_cast<std::uint8_t>(1 << images[i].bits));
        out.push_back(0);
        put16(out, 1);
        put16(out, static_cast<unsigned>(images[i].bits));
        put32(out, static_cast<std::uint32_t>(data[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(data[i].size());
    }
    for (const auto& image : data) {
        out.insert(out.end(), image.begin(), image.end());
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

QColor Rgb(Colour colour) {
    return QColor(kPalette[colour][0], kPalette[colour][1], kPalette[colour][2]);
}

QPainterPath play(double side) {
    QPainterPath path;
    path.moveTo(kPlay[0][0] * side, kPlay[0][1] * side);
    path.lineTo(kPlay[1][0] * side, kPlay[1][1] * side);
    path.lineTo(kPlay[2][0] * side, kPlay[2][1] * side);
    path.closeSubpath();
    return path;
}

// The same shapes, smooth, at any size.
QImage render(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QPointF centre(kDiscX * s, kDiscY * s);
    QPainterPath disc;
    disc.addEllipse(centre, kDiscRadius * s, kDiscRadius * s);
    disc.addEllipse(centre, kHoleRadius * s, kHoleRadius * s); // odd-even fill leaves the hole
    painter.fillPath(disc, Rgb(Grey));
    QPainterPath face;
    face.addEllipse(centre, (kDiscRadius - kRimWidth) * s, (kDiscRadius - kRimWidth) * s);
    face.addEllipse(centre, (kHoleRadius + 0.04) * s, (kHoleRadius + 0.04) * s);
    painter.fillPath(face, Rgb(Silver));
    QPainterPath ring;
    ring.addEllipse(centre, kRingRadius * s, kRingRadius * s);
    ring.addEllipse(centre, (kHoleRadius + 0.04) * s, (kHoleRadius + 0.04) * s);
    painter.fillPath(ring, Rgb(White));
    painter.fillPath(play(s), Rgb(Maroon));
    return image;
}

// Numbers for the SVG text to two decimals, with a period whatever the locale.
std::string num(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::round(value * 100) / 100);
    return std::string(buffer, result.ptr);
}

// A band of the disc: a circle drawn with a stroke as wide as the band.
std::string band(double inner, double outer, const char* colour) {
    const double s = 256;
    std::string band = "  <circle cx=\"";
    band += num(kDiscX * s);
    band += "\" cy=\"";
    band += num(kDiscY * s);
    band += "\" r=\"";
    band += num((inner + outer) / 2 * s);
    band += "\" fill=\"none\" stroke=\"";
    band += colour;
    band += "\" stroke-width=\"";
    band += num((outer - inner) * s);
    band += "\"/>\n";
    return band;
}

std::string svg() {
    const double s = 256;
    const double hole = kHoleRadius + 0.04;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                      "viewBox=\"0 0 256 256\">\n";
    svg += band(kDiscRadius - kRimWidth, kDiscRadius, "#808080");
    svg += band(kRingRadius, kDiscRadius - kRimWidth, "#c0c0c0");
    svg += band(hole, kRingRadius, "#ffffff");
    svg += band(kHoleRadius, hole, "#808080");
    svg += "  <path d=\"M";
    for (const auto& point : kPlay) {
        for (const double coordinate : point) {
            svg += ' ';
            svg += num(coordinate * s);
        }
    }
    svg += " Z\" fill=\"#800000\"/>\n</svg>\n";
    return svg;
}

// The pixels of the small renditions as C++ arrays of premultiplied ARGB words.
std::string pixelHeader(const std::vector<int>& sizes) {
    std::string out = "// Made by make_icon: the window icon's pixels, premultiplied ARGB.\n"
                      "#pragma once\n\n#include <cstdint>\n\nnamespace quorvel {\n\n";
    for (int size : sizes) {
        const QImage image = render(size);
        out += "inline constexpr std::uint32_t kIconPixels";
        out += std::to_string(size);
        out += "[] = {";
        char word[16];
        for (int y = 0; y < size; ++y) {
            out += "\n   ";
            const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < size; ++x) {
                std::snprintf(word, sizeof word, " 0x%08x,", line[x]);
                out += word;
            }
        }
        out += "\n};\n\n";
    }
    out += "struct IconPixels {\n    int size;\n    const std::uint32_t* argb;\n};\n\n"
           "inline constexpr IconPixels kWindowIcon[] = {";
    for (int size : sizes) {
        const std::string number = std::to_string(size);
        out += '{';
        out += number;
        out += ", kIconPixels";
        out += number;
        out += "}, ";
    }
    out += "};\n\n} // namespace quorvel\n";
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT_DIRECTORY\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string directory = argv[1];
    writeIco(directory + "/quorvel.ico");
    std::ofstream(directory + "/quorvel.svg") << svg();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string path = directory + "/quorvel-" + std::to_string(size) + ".png";
        if (!render(size).save(QString::fromStdString(path))) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
    }
    std::ofstream(directory + "/quorvel_icon_pixels.h") << pixelHeader({16, 24, 32, 48, 64});
    return 0;
}
