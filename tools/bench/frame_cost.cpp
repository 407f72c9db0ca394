// What one frame of the saver costs to compose and present, against the
// least that moving its pixels could cost: the saver's own surfaces and dog
// arithmetic, with the artwork of the built .scr, at the desktop's size and
// the display's scale.
//   frame_cost SCR DESKTOP
// Prints, for one and ten dogs, presenting to a memory bitmap of the screen's
// size and to a top-level window covering the screen:
//   cost DESKTOP DOGS memory|window FRAME_MS COPY_MS RATIO FRAME_BYTES
// FRAME_MS is one ClearFrame, one DrawSprite per dog and one PresentFrame, as
// the saver's hop cycle makes them (its waits left out). COPY_MS is two
// memcpy calls of a whole frame's bytes each (background to frame, frame to
// screen) between buffers of our own. Both are medians over rounds that take
// turns, so a change of load on the machine meets both alike.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "driver.h"
#include "resources/pictures.h"
#include "saver/dogs.h"
#include "saver/surfaces.h"
#include "tools/bench/stats.h"

namespace {

constexpr int Rounds = 16;          // the first is a warm-up and not counted
constexpr int FramesPerRound = 24;  // six hop cycles

double NowMs() {
    LARGE_INTEGER ticks, perSecond;
    QueryPerformanceCounter(&ticks);
    QueryPerformanceFrequency(&perSecond);
    return ticks.QuadPart * 1000.0 / perSecond.QuadPart;
}

// The saver's hop cycle with its waits left out; ms per frame. cx in 96-dpi pixels.
double ComposeAndPresent(DogPack& dogs, std::int32_t cx) {
    const double start = NowMs();
    for (int shown = 0; shown < FramesPerRound; shown += 4)
        RunHopCycle(
            dogs,
            [&dogs](int phase) {
                ClearFrame();
                ForEachSpriteOfPhase(dogs, phase, DrawSprite);
                PresentFrame();
            },
            [cx] { return cx; });
    return (NowMs() - start) / FramesPerRound;
}

// The same bytes moved twice per frame by memcpy; ms per frame.
struct PlainCopy {
    explicit PlainCopy(size_t bytes) : background(bytes, 0x5A), frame(bytes), screen(bytes) {}
    double run() {
        const double start = NowMs();
        for (int i = 0; i < FramesPerRound; ++i) {
            std::memcpy(frame.data(), background.data(), frame.size());
            std::memcpy(screen.data(), frame.data(), screen.size());
            // Read back, so the copies cannot be left out.
            sink = sink + screen[static_cast<size_t>(i) * 4099 % screen.size()];
        }
        return (NowMs() - start) / FramesPerRound;
    }
    std::vector<unsigned char> background, frame, screen;
    volatile unsigned sink = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: frame_cost SCR DESKTOP\n");
        return 2;
    }
    const std::int32_t cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HMODULE art = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND window = driver::MakeWindow(L"FrameCostWindow", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, {0, 0, cx, cy}, nullptr,
                                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    UpdateWindow(window);
    driver::PumpMessages();
    HDC windowDC = GetDC(window);
    // The display's dots per inch, as the saver reads them where a monitor has no scale of its own.
    const Scale scale = ScaleForDpi(GetDeviceCaps(windowDC, LOGPIXELSX));
    HBITMAP sheet = LoadPicture(SpriteSheetId, scale, art), title = LoadPicture(TitleCardId, scale, art);
    if (!art || !window || !sheet || !title) {
        std::fprintf(stderr, "frame_cost: cannot load the artwork of %s or make the window\n", argv[1]);
        return 1;
    }

    // A memory bitmap of the screen's size stands in for the screen.
    HDC memoryDC = CreateCompatibleDC(windowDC);
    SelectObject(memoryDC, CreateCompatibleBitmap(windowDC, cx, cy));
    SetWindowDC(windowDC);
    BuildSurfaceSetFrom(cx, cy, driver::DefaultBackground, sheet, title, scale);

    BITMAP format = {};
    GetObjectA(GetCurrentObject(SurfaceDC(ComposeSurface), OBJ_BITMAP), sizeof format, &format);
    const size_t frameBytes = static_cast<size_t>(format.bmWidthBytes) * format.bmHeight;
    PlainCopy copy(frameBytes);

    for (std::uint32_t hiki : {0u, 9u})
        for (HDC target : {memoryDC, windowDC}) {
            SetWindowDC(target);
            DogPack dogs = {};
            PlaceDogs(dogs, DogSettings{8, 5, hiki}, RunWidth(), RunHeight(), 12345);
            std::vector<double> frameMs, copyMs;
            for (int round = 0; round < Rounds; ++round) {
                const double frame = ComposeAndPresent(dogs, RunWidth());
                const double plain = copy.run();
                driver::PumpMessages();
                if (round == 0) continue;
                frameMs.push_back(frame);
                copyMs.push_back(plain);
            }
            const double frame = bench::Median(frameMs), plain = bench::Median(copyMs);
            std::printf("cost %s %u %s %.4f %.4f %.3f %zu\n", argv[2], hiki + 1,
                        target == memoryDC ? "memory" : "window", frame, plain, frame / plain, frameBytes);
            std::fflush(stdout);
        }
    return 0;
}
