#include "resources/picture_scaling.h"

namespace {

constexpr std::uint32_t Black = 0x000000, White = 0xFFFFFF;

std::uint32_t Read16(const std::uint8_t* at) { return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8; }
std::uint32_t Read32(const std::uint8_t* at) { return Read16(at) | Read16(at + 2) << 16; }

// Nearest integer of a non-negative quotient, a half to the even neighbour.
std::uint64_t RoundedQuotient(std::uint64_t n, std::uint64_t d) {
    std::uint64_t q = n / d;
    const std::uint64_t twice = 2 * (n % d);
    if (twice > d || (twice == d && q % 2 != 0)) ++q;
    return q;
}

// The source pixels under each target pixel along one axis, with how much of
// each it covers. Counted in 1/to of a source pixel, the weights are whole
// numbers and every target pixel's add up to from.
struct Span {
    int first;
    std::vector<std::uint64_t> weights;
};

std::vector<Span> Spans(int from, int to) {
    std::vector<Span> spans(static_cast<std::size_t>(to));
    for (int i = 0; i < to; ++i) {
        const std::int64_t begin = std::int64_t(i) * from, end = begin + from;
        Span& span = spans[std::size_t(i)];
        span.first = static_cast<int>(begin / to);
        for (std::int64_t j = span.first; j * to < end; ++j) {
            const std::int64_t low = j * to > begin ? j * to : begin;
            const std::int64_t high = (j + 1) * to < end ? (j + 1) * to : end;
            span.weights.push_back(std::uint64_t(high - low));
        }
    }
    return spans;
}

// Reduces (or, past the largest embedded size, enlarges) by area. onBlack
// keeps the dog's outline: coverage decides inside or out, and only the
// dog's own pixels are averaged.
Picture Resample(const Picture& source, PictureSize to, bool onBlack) {
    if (source.empty() || to.width <= 0 || to.height <= 0) return {};
    const std::vector<Span> columns = Spans(source.width, to.width), rows = Spans(source.height, to.height);
    const std::uint64_t area = std::uint64_t(source.width) * std::uint64_t(source.height);
    Picture out(to.width, to.height);
    for (int y = 0; y < to.height; ++y) {
        const Span& row = rows[std::size_t(y)];
        for (int x = 0; x < to.width; ++x) {
            const Span& column = columns[std::size_t(x)];
            std::uint64_t sum[3] = {}, covered = 0;
            for (std::size_t v = 0; v < row.weights.size(); ++v)
                for (std::size_t u = 0; u < column.weights.size(); ++u) {
                    const std::uint32_t c = source.at(column.first + int(u), row.first + int(v));
                    if (onBlack && c == Black) continue;
                    const std::uint64_t w = row.weights[v] * column.weights[u];
                    covered += w;
                    for (int channel = 0; channel < 3; ++channel) sum[channel] += w * (c >> (16 - 8 * channel) & 0xFF);
                }
            std::uint32_t colour = Black;
            if (onBlack ? 2 * covered >= area : covered > 0) {
                for (int channel = 0; channel < 3; ++channel)
                    colour |= std::uint32_t(RoundedQuotient(sum[channel], covered)) << (16 - 8 * channel);
                // Black is the mask's "outside": a dog pixel must never read as it.
                if (onBlack && colour == Black) colour = 0x000001;
            }
            out.at(x, y) = colour;
        }
    }
    return out;
}

}  // namespace

PictureSize DesignSize(PictureKind kind) {
    switch (kind) {
    case PictureKind::SpriteSheet: return {150, 128};
    case PictureKind::PreviewPicture: return {152, 112};
    case PictureKind::TitleCard: return {300, 248};
    }
    return {0, 0};
}

PictureSize SizeAt(PictureKind kind, const Scale& scale) {
    const PictureSize design = DesignSize(kind);
    return {scale(design.width), scale(design.height)};
}

int SourceScale(PictureKind kind, PictureSize wanted) {
    const PictureSize design = DesignSize(kind);
    const int smallest = kind == PictureKind::SpriteSheet && !(wanted == design) ? 2 : 1;
    for (int k = smallest; k < EmbeddedScales; ++k)
        if (wanted.width <= k * design.width && wanted.height <= k * design.height) return k;
    return EmbeddedScales;
}

Picture DecodeBitmap(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < 40) return {};
    const std::uint32_t headerSize = Read32(bytes);
    const std::int32_t width = std::int32_t(Read32(bytes + 4)), storedHeight = std::int32_t(Read32(bytes + 8));
    const std::uint32_t bits = Read16(bytes + 14), compression = Read32(bytes + 16);
    std::uint32_t colours = Read32(bytes + 32);
    // Larger than any picture of the program: a damaged header, not a picture.
    constexpr std::int32_t Largest = 16384;
    if (headerSize < 40 || headerSize > size || compression != 0 || (bits != 8 && bits != 24) || width <= 0 ||
        width > Largest || storedHeight == 0 || storedHeight < -Largest || storedHeight > Largest)
        return {};
    if (bits == 24) colours = 0;
    else if (colours == 0 || colours > 256) colours = 256;
    const int height = storedHeight < 0 ? -storedHeight : storedHeight;
    const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
    const std::size_t table = headerSize, rows = table + 4 * std::size_t(colours);
    if (rows + stride * std::size_t(height) > size) return {};

    Picture out(width, height);
    for (int y = 0; y < height; ++y) {
        // Positive heights are stored from the bottom row up.
        const std::uint8_t* row = bytes + rows + stride * std::size_t(storedHeight > 0 ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            // An index past a short colour table reads as black.
            if (bits == 8 && row[x] >= colours) continue;
            const std::uint8_t* bgr = bits == 24 ? row + 3 * x : bytes + table + 4 * std::size_t(row[x]);
            out.at(x, y) = std::uint32_t(bgr[2]) << 16 | std::uint32_t(bgr[1]) << 8 | bgr[0];
        }
    }
    return out;
}

Picture Reduce(const Picture& source, PictureSize to) { return Resample(source, to, false); }

Picture ReduceOnBlack(const Picture& source, PictureSize to) { return Resample(source, to, true); }

Picture BuildSpriteSheet(const Picture& rightColours, PictureSize cell) {
    constexpr int Poses = 3;
    if (rightColours.empty() || rightColours.height % Poses != 0 || cell.width <= 0 || cell.height <= 0) return {};
    const int sourceCell = rightColours.height / Poses;
    Picture sheet(2 * cell.width, 2 * Poses * cell.height);
    for (int pose = 0; pose < Poses; ++pose) {
        Picture colours(rightColours.width, sourceCell);
        for (int y = 0; y < sourceCell; ++y)
            for (int x = 0; x < rightColours.width; ++x) colours.at(x, y) = rightColours.at(x, pose * sourceCell + y);
        if (!(PictureSize{colours.width, colours.height} == cell)) colours = ReduceOnBlack(colours, cell);
        for (int y = 0; y < cell.height; ++y)
            for (int x = 0; x < cell.width; ++x) {
                const std::uint32_t c = colours.at(x, y);
                const std::uint32_t mask = c == Black ? White : Black;
                const int right = pose * cell.height + y, left = (pose + Poses) * cell.height + y;
                const int mirrored = cell.width - 1 - x;
                sheet.at(x, right) = c;
                sheet.at(cell.width + x, right) = mask;
                sheet.at(mirrored, left) = c;
                sheet.at(cell.width + mirrored, left) = mask;
            }
    }
    return sheet;
}
