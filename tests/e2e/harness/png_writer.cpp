#include "harness/png_writer.h"

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {
using Bytes = std::vector<unsigned char>;

// PNG stores integers most significant byte first.
void appendBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xFFu));
}

// Length, type, data, then the CRC over type and data.
void appendChunk(Bytes& out, const char type[5], const Bytes& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    appendBigEndian(
        out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// Each row prefixed by filter type 0 (none), as IDAT wants before deflate.
Bytes rawScanlines(const Image& image) {
    Bytes raw;
    raw.reserve(static_cast<size_t>(image.height()) * (static_cast<size_t>(image.width()) * 3 + 1));
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.width(); ++x) {
            const Rgb8& c = image.at({x, y});
            raw.insert(raw.end(), {c.r, c.g, c.b});
        }
    }
    return raw;
}
}  // namespace

bool writePng(const std::string& path, const Image& image) {
    if (image.width() <= 0 || image.height() <= 0) return false;
    const Bytes raw = rawScanlines(image);
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packedSize);
    if (compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        return false;
    packed.resize(packedSize);

    Bytes header;
    appendBigEndian(header, static_cast<std::uint32_t>(image.width()));
    appendBigEndian(header, static_cast<std::uint32_t>(image.height()));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace

    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", {});

    std::error_code ignored;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}
