#include "saver/dogs.h"

#include "saver/random.h"
#include "saver/rounding.h"

namespace {

// Ten pixels of extra margin per dog beyond the first, so that a crowd does
// not turn back all at once at the screen's edge.
std::int64_t TurnMargin(const DogPack& pack) { return static_cast<std::int64_t>(pack.last) * 10; }

std::int32_t Negated(std::int32_t v) { return WrapSub(0, v); }

}  // namespace

std::int32_t LastDogIndex(std::uint32_t hiki) {
    const std::int32_t asRead = static_cast<std::int32_t>(hiki);
    if (asRead < 0) return -1;
    return asRead < DogSlots - 1 ? asRead : DogSlots - 1;
}

std::int32_t PlacedX(std::int32_t cx, double r) {
    return RoundToInt32(static_cast<double>(static_cast<std::int64_t>(cx) + 100) * r - 100.0);
}

std::int32_t PlacedY(std::int32_t cy, double r) {
    return RoundToInt32(static_cast<double>(static_cast<std::int64_t>(cy) - 128) * r);
}

void PlaceDogs(DogPack& pack, const DogSettings& settings, std::int32_t cx, std::int32_t cy,
               std::uint32_t tickCount) {
    pack.last = LastDogIndex(settings.hiki);
    pack.dy0 = static_cast<std::int32_t>(settings.dy0);
    pack.cy = cy;
    for (std::int32_t d = 0; d <= pack.last; ++d) pack.dog[d].frameBase = RightFacingBase;
    for (std::int32_t d = 0; d <= pack.last; ++d) pack.dog[d].dx = static_cast<std::int32_t>(settings.dx0);
    SeedRandom(tickCount);
    if (pack.last >= 0) {
        // 127, not 128: the first dog sits half a row lower than the random ones can.
        pack.dog[0].x = RoundToInt32(static_cast<double>(static_cast<std::int64_t>(cx) - 150) / 2);
        pack.dog[0].y = RoundToInt32(static_cast<double>(static_cast<std::int64_t>(cy) - 127) / 2);
    }
    // All columns are drawn before all rows: a seed gives the same crowd every time.
    for (std::int32_t d = 1; d <= pack.last; ++d) pack.dog[d].x = PlacedX(cx, RandomFraction());
    for (std::int32_t d = 1; d <= pack.last; ++d) pack.dog[d].y = PlacedY(cy, RandomFraction());
    SortDogsByDepth(pack, DepthSort::Placement);
}

void SortDogsByDepth(DogPack& pack, DepthSort variant) {
    std::uint32_t key[DogSlots];
    for (std::int32_t d = 0; d <= pack.last; ++d) {
        key[d] = static_cast<std::uint32_t>(pack.dog[d].y);
        pack.DrawOrder[d] = d;
    }
    // A plain bubble sort with these exact bounds: how equal keys end up
    // depends on how often each pair is compared.
    for (std::int32_t i = 0; i <= pack.last - 1; ++i) {
        for (std::int32_t j = 0; j <= pack.last - i - 1; ++j) {
            const bool outOfOrder =
                variant == DepthSort::Placement ? key[j] >= key[j + 1] : key[j] > key[j + 1];
            if (!outOfOrder) continue;
            const std::uint32_t k = key[j];
            key[j] = key[j + 1];
            key[j + 1] = k;
            const std::int32_t d = pack.DrawOrder[j];
            pack.DrawOrder[j] = pack.DrawOrder[j + 1];
            pack.DrawOrder[j + 1] = d;
        }
    }
}

std::int32_t PhaseRow(std::int32_t y, std::int32_t dy0, int phase) {
    switch (phase) {
    case 2:
    case 4:
        // Half the height, rounded after the subtraction: an odd dy0 lifts the
        // dog to whichever neighbouring row is even.
        return RoundToInt32(static_cast<double>(y) - static_cast<double>(dy0) / 2);
    case 3:
        return WrapSub(y, dy0);
    default:
        return y;
    }
}

std::int32_t PhaseSheetRow(std::int32_t frameBase, int phase) {
    // Poses 0, 1, 2, 1: the middle pose serves the way up and the way down.
    const std::int32_t pose = phase == 3 ? 2 : phase == 1 ? 0 : 1;
    return frameBase + pose * CellHeight;
}

SpriteDraw PhaseSprite(const DogState& dog, std::int32_t dy0, int phase) {
    return {dog.x, PhaseRow(dog.y, dy0, phase), PhaseSheetRow(dog.frameBase, phase)};
}

PixelCopy SpriteCopy(const SpriteDraw& sprite, const Scale& scale) {
    const std::int32_t cellHeight = scale(CellHeight);
    return {Saturated(scale.wide(sprite.x)), Saturated(scale.wide(sprite.y)), scale(CellWidth), cellHeight,
            sprite.sheetRow / CellHeight * cellHeight};
}

void FitDogsToHeight(DogPack& pack, std::int32_t cy) {
    pack.cy = cy;
    const std::int32_t lowest = cy > CellHeight ? cy - CellHeight : 0;
    for (std::int32_t d = 0; d <= pack.last; ++d)
        if (pack.dog[d].y > lowest) pack.dog[d].y = lowest;
}

void MoveDogs(DogPack& pack) {
    for (std::int32_t d = 0; d <= pack.last; ++d) pack.dog[d].x = WrapAdd(pack.dog[d].x, pack.dog[d].dx);
}

void TurnDogs(DogPack& pack, std::int32_t screenWidth) {
    for (std::int32_t d = 0; d <= pack.last; ++d) {
        DogState& dog = pack.dog[d];
        // Both tests see the same x: a turn changes the direction, not the place.
        if (dog.x >= screenWidth + TurnMargin(pack)) {
            dog.dx = Negated(dog.dx);
            dog.frameBase = LeftFacingBase;
            dog.y = PlacedY(pack.cy, RandomFraction());
        }
        if (dog.x < -CellWidth - TurnMargin(pack)) {
            dog.dx = Negated(dog.dx);
            dog.frameBase = RightFacingBase;
            dog.y = PlacedY(pack.cy, RandomFraction());
        }
    }
}
