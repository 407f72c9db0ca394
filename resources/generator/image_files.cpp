#include "image_files.h"

#include <stdexcept>

namespace art {
namespace {

// Little-endian fields, whatever the host.
void Put16(std::string& out, uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

uint32_t Stride(int width, int bits) { return ((uint32_t(width) * uint32_t(bits) + 31) / 32) * 4; }

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch, the Windows default

// BITMAPINFOHEADER; storedHeight is twice the height inside an icon, which
// stacks the AND mask on the colour image.
void PutInfoHeader(std::string& out, int width, int storedHeight, int bits, uint32_t imageSize,
                   uint32_t coloursUsed) {
    Put32(out, kInfoHeaderSize);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(storedHeight));
    Put16(out, 1);  // planes
    Put16(out, uint32_t(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, coloursUsed);
    Put32(out, 0);  // all colours important
}

void PutFileHeader(std::string& out, uint32_t fileSize, uint32_t pixelOffset) {
    out += "BM";
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, pixelOffset);
}

void PutPalette(std::string& out, const std::vector<Rgb>& palette, size_t entries) {
    for (size_t i = 0; i < entries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{};
        out += char(c.b);
        out += char(c.g);
        out += char(c.r);
        out += char(0);
    }
}

void CheckIndexed(const IndexedImage& image, int bits) {
    if (image.palette.size() > (size_t(1) << bits))
        throw std::invalid_argument("palette too large for the bit depth");
    if (image.indices.size() != size_t(image.width) * size_t(image.height))
        throw std::invalid_argument("index count does not match the size");
    for (uint8_t i : image.indices)
        if (i >= image.palette.size()) throw std::invalid_argument("index outside the palette");
}

}  // namespace

std::string Bitmap24File(const RgbImage& image) {
    const uint32_t stride = Stride(image.width, 24);
    const uint32_t imageSize = stride * uint32_t(image.height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::string out;
    PutFileHeader(out, offset + imageSize, offset);
    PutInfoHeader(out, image.width, image.height, 24, imageSize, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.at(x, y);
            out += char(c.b);
            out += char(c.g);
            out += char(c.r);
        }
        out.append(start + stride - out.size(), '\0');
    }
    return out;
}

std::string Bitmap8File(const IndexedImage& image) {
    CheckIndexed(image, 8);
    const uint32_t stride = Stride(image.width, 8);
    const uint32_t imageSize = stride * uint32_t(image.height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;
    std::string out;
    PutFileHeader(out, offset + imageSize, offset);
    PutInfoHeader(out, image.width, image.height, 8, imageSize, 256);
    PutPalette(out, image.palette, 256);
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t start = out.size();
        for (int x = 0; x < image.width; ++x)
            out += char(image.indices[size_t(y) * size_t(image.width) + size_t(x)]);
        out.append(start + stride - out.size(), '\0');
    }
    return out;
}

std::string Icon4File(const IndexedImage& image, const std::vector<bool>& transparent) {
    CheckIndexed(image, 4);
    if (image.width > 255 || image.height > 255 ||
        transparent.size() != image.indices.size())
        throw std::invalid_argument("icon size");
    const uint32_t colourStride = Stride(image.width, 4);
    const uint32_t maskStride = Stride(image.width, 1);
    const uint32_t colourSize = colourStride * uint32_t(image.height);
    const uint32_t maskSize = maskStride * uint32_t(image.height);
    const uint32_t imageBytes = kInfoHeaderSize + 16 * 4 + colourSize + maskSize;
    const uint32_t directorySize = 6 + 16;

    std::string out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, 1);  // one image
    out += char(image.width);
    out += char(image.height);
    out += char(16);  // colours
    out += char(0);
    Put16(out, 1);    // planes
    Put16(out, 4);    // bits per pixel
    Put32(out, imageBytes);
    Put32(out, directorySize);

    PutInfoHeader(out, image.width, image.height * 2, 4, colourSize + maskSize, 16);
    PutPalette(out, image.palette, 16);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(colourStride, '\0');
        for (int x = 0; x < image.width; ++x) {
            const uint8_t index = image.indices[size_t(y) * size_t(image.width) + size_t(x)];
            row[size_t(x / 2)] = char(uint8_t(row[size_t(x / 2)]) | (x % 2 ? index : index << 4));
        }
        out += row;
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(maskStride, '\0');
        for (int x = 0; x < image.width; ++x)
            if (transparent[size_t(y) * size_t(image.width) + size_t(x)])
                row[size_t(x / 8)] = char(uint8_t(row[size_t(x / 8)]) | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

}  // namespace art
