// Reads the compiled Windows resources of the program (a .res made by windres
// from the same resource script the Windows build uses) and checks the icon
// images and the version record in them.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quorvel_about.h"

namespace {

constexpr std::uint16_t kIcon = 3;
constexpr std::uint16_t kGroupIcon = 14;
constexpr std::uint16_t kVersion = 16;

struct Resource {
    std::uint16_t type;
    std::uint16_t language;
    std::vector<std::uint8_t> data;
};

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}
std::size_t align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

// The entries of a .res file, each a header (sizes, type, name, flags) and data.
std::vector<Resource> readRes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), {});
    std::vector<Resource> out;
    std::size_t at = 0;
    while (at + 32 <= b.size()) {
        const std::uint32_t dataSize = u32(b, at);
        const std::uint32_t headerSize = u32(b, at + 4);
        std::size_t field = at + 8;
        std::uint16_t type = 0;
        for (int part = 0; part < 2; ++part) { // the type, then the name
            if (u16(b, field) == 0xFFFF) {
                if (part == 0) {
                    type = u16(b, field + 2);
                }
                field += 4;
            } else {
                while (u16(b, field) != 0) {
                    field += 2;
                }
                field += 2;
            }
        }
        field = align4(field);
        const std::uint16_t language = u16(b, field + 6);
        const std::size_t data = at + headerSize;
        out.push_back(
            {type, language,
             std::vector<std::uint8_t>(b.begin() + static_cast<std::ptrdiff_t>(data),
                                       b.begin() + static_cast<std::ptrdiff_t>(data + dataSize))});
        at = align4(data + dataSize);
    }
    return out;
}

// The UTF-16 strings of a block, split at zeros; the binary words before a key
// stay glued to its front, so keys are found by how a string ends.
std::vector<std::string> stringsIn(const std::vector<std::uint8_t>& data) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const std::uint16_t c = u16(data, i);
        if (c == 0) {
            if (!out.back().empty()) {
                out.emplace_back();
            }
        } else {
            out.back() += c < 0x80 ? static_cast<char>(c) : '?';
        }
    }
    return out;
}

std::string valueOf(const std::vector<std::string>& strings, const std::string& key) {
    for (std::size_t i = 0; i + 1 < strings.size(); ++i) {
        const std::string& s = strings[i];
        if (s.size() >= key.size() && s.compare(s.size() - key.size(), key.size(), key) == 0) {
            return strings[i + 1];
        }
    }
    return "(missing)";
}

class VersionRecordTest : public testing::Test {
protected:
    std::vector<Resource> resources = readRes(QUORVEL_RES_PATH);

    std::vector<const Resource*> ofType(std::uint16_t type) const {
        std::vector<const Resource*> found;
        for (const Resource& r : resources) {
            if (r.type == type) {
                found.push_back(&r);
            }
        }
        return found;
    }
};

TEST_F(VersionRecordTest, OneIconWithThreeImages) {
    const auto groups = ofType(kGroupIcon);
    ASSERT_EQ(groups.size(), 1u);
    const std::vector<std::uint8_t>& g = groups[0]->data;
    ASSERT_EQ(u16(g, 2), 1);
    ASSERT_EQ(u16(g, 4), 3);
    const struct { int size, colours, bits; } expected[] = {{32, 16, 4}, {16, 16, 4}, {32, 2, 1}};
    const auto images = ofType(kIcon);
    ASSERT_EQ(images.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t entry = 6 + 14 * i;
        SCOPED_TRACE(i);
        EXPECT_EQ(g[entry], expected[i].size);
        EXPECT_EQ(g[entry + 1], expected[i].size);
        EXPECT_EQ(g[entry + 2], expected[i].colours);
        EXPECT_EQ(u16(g, entry + 6), expected[i].bits);
        // The image itself: a bitmap of that size and depth, colour rows and mask.
        const std::vector<std::uint8_t>& image = images[i]->data;
        EXPECT_EQ(u32(image, 0), 40u);
        EXPECT_EQ(u32(image, 4), static_cast<std::uint32_t>(expected[i].size));
        EXPECT_EQ(u32(image, 8), static_cast<std::uint32_t>(2 * expected[i].size));
        EXPECT_EQ(u16(image, 14), expected[i].bits);
        EXPECT_EQ(u32(g, entry + 8), image.size());
    }
}

TEST_F(VersionRecordTest, TheVersionRecordNamesTheProgram) {
    const auto versions = ofType(kVersion);
    ASSERT_EQ(versions.size(), 1u);
    const std::vector<std::uint8_t>& v = versions[0]->data;
    EXPECT_EQ(versions[0]->language, 0x0409);

    // VS_FIXEDFILEINFO: 1.0.0.0 for the file and the product.
    std::size_t fixed = 0;
    while (fixed + 4 <= v.size() && u32(v, fixed) != 0xFEEF04BD) {
        fixed += 4;
    }
    ASSERT_LT(fixed + 24, v.size());
    EXPECT_EQ(u32(v, fixed + 8), 0x00010000u);
    EXPECT_EQ(u32(v, fixed + 12), 0u);
    EXPECT_EQ(u32(v, fixed + 16), 0x00010000u);
    EXPECT_EQ(u32(v, fixed + 20), 0u);

    const std::vector<std::string> strings = stringsIn(v);
    EXPECT_NE(valueOf(strings, "StringFileInfo"), "(missing)");
    bool block = false;
    for (const std::string& s : strings) {
        block = block || s.ends_with("040904B0") || s.ends_with("040904b0");
    }
    EXPECT_TRUE(block);
    EXPECT_EQ(valueOf(strings, "FileDescription"), "Video bitrate calculator.");
    EXPECT_EQ(valueOf(strings, "FileVersion"), "1.00");
    EXPECT_EQ(valueOf(strings, "ProductVersion"), "1.00");
    EXPECT_EQ(valueOf(strings, "ProductName"), "Quorvel");
    EXPECT_EQ(valueOf(strings, "InternalName"), "Quorvel");
    // The same authorship and address as the window's lines.
    EXPECT_EQ(valueOf(strings, "LegalCopyright"), quorvel::kAuthorshipNotice);
    EXPECT_EQ(valueOf(strings, "Comments"), quorvel::kWebAddress);
    EXPECT_NE(valueOf(strings, "CompanyName").find("Quorvel"), std::string::npos);

    // VarFileInfo\Translation: US English, Unicode.
    const std::string translation = "Translation";
    for (std::size_t i = 0; i + 2 * translation.size() + 8 <= v.size(); i += 2) {
        bool match = true;
        for (std::size_t k = 0; k < translation.size() && match; ++k) {
            match = u16(v, i + 2 * k) == translation[k];
        }
        if (match) {
            const std::size_t value = align4(i + 2 * translation.size() + 2);
            EXPECT_EQ(u16(v, value), 0x0409);
            EXPECT_EQ(u16(v, value + 2), 1200);
            return;
        }
    }
    ADD_FAILURE() << "no Translation entry";
}

} // namespace
