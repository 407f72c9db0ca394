// The saver run, driven as a person meets it: started with /s in a desktop of
// the bed's size, watched through the screen's pixels, ended by real X input.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "resources/resources.h"
#include "saver_screen.h"

namespace {

using driver::IntroStep;
using driver::Process;
using namespace saver_screen;

// Each test's own copy of the saver, and the title card and dog it must show
// at the display's scale.
class SaverRun : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(driver::PictureShown(copy.path(), TitleCardId, card));
        ASSERT_TRUE(driver::PictureShown(copy.path(), SpriteSheetId, sheet));
    }
    // One dog (hiki 0) on this background.
    void oneDog(COLORREF background, int dx0, int dy0, int weight) const {
        copy.writeIni(driver::SettingsFile(background, 0, dx0, dy0, weight));
    }
    Process startRun(COLORREF background = driver::DefaultBackground) const {
        Process saver = copy.start("/s");
        EXPECT_TRUE(driver::RunBegins(saver, background));
        return saver;
    }

    const driver::ScrCopy copy{testing::UnitTest::GetInstance()->current_test_info()->name()};
    driver::Pixels card, sheet;
};

// A place in 96-dpi pixels on the screen.
RECT ScreenArea(int designLeft, int designTop, int designWidth, int designHeight) {
    const Scale scale = DisplayScale();
    return {scale(designLeft), scale(designTop), scale(designLeft + designWidth), scale(designTop + designHeight)};
}

TEST_F(SaverRun, BackgroundThenTitleCardThenTheDog) {
    const COLORREF background = RGB(0x30, 0x60, 0x90);
    oneDog(background, 0, 0, 200);  // hopping on the spot, fast frames

    Process saver = copy.start("/s");
    ASSERT_NE(saver.window(driver::SaverTitle), nullptr);
    const DWORD shown = GetTickCount();
    const DWORD backgroundSeen = WaitForAnyScreen({Screen(background)}, IntroStep);
    ASSERT_NE(backgroundSeen, 0u) << "the screen never showed only the background";
    EXPECT_LE(backgroundSeen - shown, 1000u) << "background later than a second after the window";
    EXPECT_FALSE(CursorShowing()) << "the cursor must be hidden";

    const DWORD titleSeen = WaitForAnyScreen({TitleScreen(background, card)}, IntroStep);
    ASSERT_NE(titleSeen, 0u) << "the title card never stood alone in its place";
    EXPECT_TRUE(driver::NotEnlarged(ScreenArea(static_cast<int>(std::nearbyint(DesignWidth() / 2.0 - 150)),
                                               static_cast<int>(std::nearbyint(DesignHeight() / 2.0 - 123)), 300, 240)))
        << "the title card";
    // One to two clock seconds, then twelve short frames; a wide margin for a busy machine.
    EXPECT_GE(titleSeen - backgroundSeen, 800u);
    EXPECT_LE(titleSeen - backgroundSeen, 3500u);

    const DWORD dogSeen = WaitForAnyScreen(DogOnTheSpot(background, sheet), IntroStep);
    ASSERT_NE(dogSeen, 0u) << "the dog never appeared alone in the middle";
    EXPECT_TRUE(driver::NotEnlarged(ScreenArea(FirstDogX(), FirstDogY(), 150, 128))) << "the dog";
    EXPECT_GE(dogSeen - titleSeen, 2800u) << "three to four clock seconds after the title";
    EXPECT_LE(dogSeen - titleSeen, 5500u);
    EXPECT_FALSE(CursorShowing());

    ASSERT_TRUE(driver::XClick(1));
    EXPECT_EQ(saver.waitExit().problem(), "") << "after a mouse click";
}

// A window of another program shown over the saver and gone leaves no
// trace: the saver goes on reading its messages, through which what the
// window covered is painted again.
TEST_F(SaverRun, AWindowShownOverItAndHiddenLeavesNoTraceWithinASecond) {
    const COLORREF background = RGB(0x30, 0x60, 0x90);
    oneDog(background, 0, 0, 200);
    Process saver = startRun(background);
    ASSERT_NE(WaitForAnyScreen(DogOnTheSpot(background, sheet), IntroStep), 0u) << "the dog never hopped";

    const RECT corner = {0, 0, 200, 150};  // away from the dog: only a repaint mends it
    HWND cover = driver::ShowCover(corner);
    ASSERT_TRUE(driver::WaitPixels(corner, RGB(0, 0, 0), driver::Reaction)) << "the cover never showed";
    DestroyWindow(cover);
    driver::PumpMessages();
    const DWORD hidden = GetTickCount();
    ASSERT_TRUE(driver::WaitPixels(corner, background, driver::Reaction))
        << "the cover's place never showed the background again";
    EXPECT_LE(GetTickCount() - hidden, 1000u) << "the cover's trace stayed longer than a second";

    ASSERT_TRUE(driver::XKey("a"));
    EXPECT_EQ(saver.waitExit().problem(), "") << "after a key after the cover";
}

TEST_F(SaverRun, DefaultBackgroundAndTitleWithoutASettingsFile) {
    Process saver = copy.start("/s");
    ASSERT_NE(saver.window(driver::SaverTitle), nullptr);
    const DWORD shown = GetTickCount();
    const DWORD backgroundSeen = WaitForAnyScreen({Screen(driver::DefaultBackground)}, IntroStep);
    ASSERT_NE(backgroundSeen, 0u) << "never the default light cyan alone";
    EXPECT_LE(backgroundSeen - shown, 1000u);
    // Default speed: twelve frames of 180 ms build the card.
    EXPECT_NE(WaitForAnyScreen({TitleScreen(driver::DefaultBackground, card)}, IntroStep), 0u);

    ASSERT_TRUE(driver::XKey("Escape"));
    EXPECT_EQ(saver.waitExit().problem(), "") << "after Escape during the title's hold";
}

// Frame k of one dog from the middle with dx0 8 and dy0 5: x grows by 8 per
// frame, the hop lifts it 0, 2 or 3, 5, 2 or 3 rows.
Screen HopFrame(COLORREF background, const driver::Pixels& sheet, int k) {
    Screen screen(background);
    const int y = FirstDogY();
    const int half = static_cast<int>(std::nearbyint(y - 2.5));
    const int rows[] = {y, half, y - 5, half};
    const int poses[] = {0, 1, 2, 1};
    PutDog(screen, sheet, FirstDogX() + 8 * k, rows[k % 4], poses[k % 4]);
    return screen;
}

TEST_F(SaverRun, TheDogHopsAsConfigured) {
    const COLORREF background = RGB(0xF0, 0xE0, 0xD0);
    oneDog(background, 8, 5, 0);  // frames of 205 ms: a whole-screen grab at 200 % can take 100
    constexpr int Frames = 12;
    std::vector<Screen> frames;
    for (int k = 0; k < Frames; ++k) frames.push_back(HopFrame(background, sheet, k));

    Process saver = startRun(background);
    // Every frame stays long enough to be caught, so the grabs that match go
    // 0, 1, 2, ... with none passed over; grabs caught halfway through a copy
    // match no frame. The first that breaks the count ends the watch.
    std::vector<int> seen;
    driver::WaitUntil(
        [&] {
            const driver::Pixels grabbed = driver::GrabScreen(WholeScreen());
            for (int k = 0; k < Frames; ++k)
                if (Matches(grabbed, frames[k]) && (seen.empty() || k != seen.back())) seen.push_back(k);
            return !seen.empty() && (seen.back() == Frames - 1 || seen.back() != static_cast<int>(seen.size()) - 1);
        },
        IntroStep);
    std::vector<int> hop(Frames);
    std::iota(hop.begin(), hop.end(), 0);
    EXPECT_EQ(seen, hop) << "the frames of the hop as they were seen";
    EXPECT_FALSE(CursorShowing());

    ASSERT_TRUE(driver::XKey("a"));
    EXPECT_EQ(saver.waitExit().problem(), "") << "after a letter key while the dog hops";
}

TEST_F(SaverRun, OnePixelMovesDoNotEndItTwoPixelsDo) {
    const COLORREF background = RGB(0x20, 0x80, 0x40);
    oneDog(background, 8, 5, 50);  // frames of 155 ms
    ASSERT_TRUE(driver::XMovePointer(MainScreen().cx / 2, MainScreen().cy / 2));

    Process saver = startRun(background);
    ASSERT_NE(WaitForAnyScreen({HopFrame(background, sheet, 0), HopFrame(background, sheet, 1)}, IntroStep), 0u)
        << "the dog never started hopping";

    // The saver compares the pointer at every wake with its last reading,
    // and a move from the host does not always reach it at once. Each kind of
    // move is therefore made more than once, a frame or two apart. A row seen
    // to change twice is more than one whole frame at this speed, which leaves
    // the desktop's cursor position settled between two moves (Wine serves a
    // changed position from a cache for about 100 ms, and only a move made
    // after that is seen as a move).
    // The pixels are 96-dpi ones: twice as many of the screen's at 192 dpi.
    const Scale scale = DisplayScale();
    const struct { int dx, dy; } tremble[] = {{1, 0}, {0, 1}, {1, 1}, {-1, 0}, {0, -1}, {-1, -1}, {1, -1}, {-1, 1}};
    for (const auto& move : tremble) {
        ASSERT_TRUE(WaitForARowToChangeTwice(IntroStep)) << "the dog stopped hopping";
        ASSERT_TRUE(driver::XMovePointerBy(scale(move.dx), scale(move.dy)));
        ASSERT_TRUE(WaitForARowToChangeTwice(IntroStep)) << "the dog stopped hopping";
        ASSERT_TRUE(saver.running()) << "a one-pixel move (" << move.dx << "," << move.dy << ") ended the saver";
    }

    constexpr int Attempts = 6;
    int moves = 0;
    for (; moves < Attempts && saver.running(); ++moves) {
        ASSERT_TRUE(driver::XMovePointerBy(scale(moves % 2 ? -2 : 2), 0));
        if (saver.waitExit(driver::ProcessEnds / 10).ended) break;
        WaitForARowToChangeTwice(IntroStep);
    }
    EXPECT_LT(moves, Attempts) << "two-pixel moves never ended the saver";
    EXPECT_EQ(saver.waitExit().problem(), "") << "after a two-pixel move";
}

// Any key or mouse button ends it, Escape also while a window of another
// program has the keyboard.
TEST_F(SaverRun, AnyKeyOrMouseButtonEndsItDuringTheFirstPause) {
    const struct { const char* input; bool elsewhere; } inputs[] = {
        {"Escape", false}, {"Escape", true},   {"space", false},   {"F5", false},
        {"shift", false},  {"click:1", false}, {"click:3", false}, {"click:2", false},
    };
    for (const auto& [input, elsewhere] : inputs) {
        Process saver = startRun();
        HWND other = nullptr;
        if (elsewhere) {
            other = driver::MakeWindow(L"PokElsewhere", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
            SetForegroundWindow(other);
            ASSERT_TRUE(driver::WaitUntil([&] { return GetForegroundWindow() == other; }, driver::Reaction));
        }
        ASSERT_TRUE(driver::XInput(input));
        EXPECT_EQ(saver.waitExit().problem(), "") << "after " << input << (elsewhere ? " in another window" : "");
        if (other) DestroyWindow(other);
    }
}

// Through the first pause, the title and the hops, the saver answers what
// the system sends it, as a program that is not hung does; then it ends
// when the session does, or when it is closed.
TEST_F(SaverRun, AnswersTheSystemThroughEveryStageAndEndsWhenAsked) {
    const COLORREF background = RGB(0x30, 0x60, 0x90);
    oneDog(background, 0, 0, 150);
    std::vector<Screen> stages = {Screen(background), TitleScreen(background, card)};
    for (Screen& pose : DogOnTheSpot(background, sheet)) stages.push_back(std::move(pose));
    const auto ask = [](HWND window, UINT message, WPARAM wParam) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(window, message, wParam, 0, SMTO_ABORTIFHUNG, driver::Reaction, &result) ? result
                                                                                                           : 0xBAD;
    };
    for (const UINT ending : {WM_ENDSESSION, WM_CLOSE}) {
        Process saver = copy.start("/s");
        HWND window = saver.window(driver::SaverTitle);
        ASSERT_NE(window, nullptr);
        std::string seen;  // stages in the order first seen: b(ackground), t(itle), d(og)
        driver::WaitUntil(
            [&] {
                EXPECT_EQ(ask(window, WM_NULL, 0), 0u) << "a message unanswered after '" << seen << "'";
                EXPECT_EQ(ask(window, WM_QUERYENDSESSION, 0), static_cast<DWORD_PTR>(TRUE)) << seen;
                EXPECT_EQ(ask(window, WM_SYSCOMMAND, SC_SCREENSAVE), 0u) << seen;
                EXPECT_FALSE(IsHungAppWindow(window)) << seen;
                const driver::Pixels grabbed = driver::GrabScreen(WholeScreen());
                for (size_t k = 0; k < stages.size(); ++k) {
                    const char stage = "btddd"[k];
                    if (Matches(grabbed, stages[k]) && seen.find(stage) == std::string::npos) seen += stage;
                }
                return seen.find('d') != std::string::npos || ::testing::Test::HasFailure();
            },
            2 * IntroStep);
        ASSERT_EQ(seen, "btd") << "the run's stages, as seen";
        ASSERT_TRUE(saver.running());
        ask(window, ending, TRUE);
        EXPECT_EQ(saver.waitExit().problem(), "") << "after " << (ending == WM_CLOSE ? "WM_CLOSE" : "WM_ENDSESSION");
    }
}

// The first mode the display offers that is larger than the screen both
// ways; 0 x 0 if there is none.
SIZE LargerMode() {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
        if (LONG(mode.dmPelsWidth) > MainScreen().cx && LONG(mode.dmPelsHeight) > MainScreen().cy)
            return {LONG(mode.dmPelsWidth), LONG(mode.dmPelsHeight)};
    return {0, 0};
}

bool ChangeDisplay(SIZE size) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(size.cx);
    mode.dmPelsHeight = static_cast<DWORD>(size.cy);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

// Grown as when a monitor is plugged in at another resolution, then back:
// every pixel shows the saver again, and the dog hops on where it stood.
TEST_F(SaverRun, ADisplayThatChangesSizeStaysCovered) {
    const SIZE original = MainScreen();
    const SIZE larger = LargerMode();
    if (!larger.cx || !ChangeDisplay(original))
        GTEST_SKIP() << "the bed offers no larger size, or cannot come back";
    struct Restore {
        SIZE size;
        ~Restore() { ChangeDisplay(size); }
    } restore{original};
    const COLORREF background = RGB(0x50, 0x10, 0x70);
    oneDog(background, 0, 0, 150);
    Process saver = startRun(background);
    ASSERT_NE(WaitForAnyScreen(DogOnTheSpot(background, sheet), IntroStep), 0u) << "the dog never hopped";

    const int dogX = FirstDogX(), dogY = FirstDogY();
    for (const SIZE size : {larger, original}) {
        SCOPED_TRACE(std::to_string(size.cx) + "x" + std::to_string(size.cy));
        ASSERT_TRUE(ChangeDisplay(size));
        for (int pose : {0, 2}) {  // both, so the dog still moves
            Screen expected(background, size);
            PutDog(expected, sheet, dogX, dogY, pose);
            EXPECT_NE(WaitForAnyScreen({expected}, driver::Reaction), 0u) << "pose " << pose << " never shown whole";
        }
    }
    ASSERT_TRUE(driver::XKey("a"));
    EXPECT_EQ(saver.waitExit().problem(), "") << "after a key after the display changed";
}

}  // namespace
