// The settings window read from the real window and handled by a person:
// its layout, its sliders, and every way of closing it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/resources.h"
#include "settings_session.h"
#include "tests/driver/reading_order.h"

namespace {

using namespace settings_test;
using driver::DisplayScale;
using SettingsLayout = OpenSettings;

// Every control of the window's table, as the real window reports it, laid
// out at this scale.
void ExpectControlsAt(HWND window, const Scale& scale) {
    const RECT client = driver::Inspect(window).clientRect;
    const std::vector<driver::WindowInfo> children = driver::Children(window);
    ASSERT_EQ(children.size(), std::size(ControlRows));
    for (size_t i = 0; i < children.size(); ++i) {
        const ControlRow& row = ControlRows[i];
        const driver::WindowInfo& child = children[i];
        SCOPED_TRACE(testing::Message() << "control " << row.id);
        EXPECT_EQ(child.id, row.id) << "controls out of their creation order";
        EXPECT_EQ(_wcsicmp(child.className.c_str(), row.className), 0) << driver::Utf8(child.className);
        EXPECT_EQ(child.text, row.text);
        EXPECT_EQ(child.style, static_cast<LONG>(row.style)) << std::hex << child.style;
        EXPECT_EQ(child.exStyle, static_cast<LONG>(row.exStyle)) << std::hex << child.exStyle;
        const PixelRect place = scale(row.place());  // the table is in 96-dpi pixels
        EXPECT_EQ(child.rect.left - client.left, place.x);
        EXPECT_EQ(child.rect.top - client.top, place.y);
        EXPECT_EQ(child.width(), place.width);
        EXPECT_EQ(child.height(), place.height);
    }
}

TEST_F(SettingsLayout, EveryControlHasItsIdClassTextStylesAndRectangle) {
    const Scale scale = DisplayScale();
    const driver::WindowInfo window = driver::Inspect(session.window());
    if (scale.isDesignSize()) {
        EXPECT_EQ(window.width(), 170);
        EXPECT_EQ(window.height(), 447);
    }
    // The whole table fits whatever the caption's height, at the size a
    // person expects on that display.
    EXPECT_EQ(window.clientWidth(), scale(164));
    EXPECT_EQ(window.clientHeight(), scale(422));
    EXPECT_NEAR(window.clientHeight(), 422.0 * scale.dpi / 96, 1.0) << "not the 96-dpi height times the scale";
    ExpectControlsAt(session.window(), scale);
    // The credit lines are ours to word: they must fit their boxes.
    HFONT font = driver::CreateSettingsFont();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    for (int id : {AuthorCreditId, ProducerCreditId}) {
        const driver::WindowInfo credit = driver::Inspect(session.control(id));
        SIZE extent = {};
        GetTextExtentPoint32W(dc, credit.text.c_str(), static_cast<int>(credit.text.size()), &extent);
        EXPECT_LE(extent.cx, credit.clientWidth()) << "credit " << id << " is cut";
        EXPECT_LE(extent.cy, scale(16)) << "credit " << id;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
}

// The text controls again, in a window of this process, drawn by the same
// system controls at a scale in the font the settings window asks for, at
// this height (or in none).
class ReferenceWindow {
public:
    ReferenceWindow(int left, int fontHeight, const Scale& scale = DisplayScale())
        : font_(fontHeight ? driver::CreateSettingsFont(fontHeight) : nullptr) {
        window_ = driver::MakeWindow(L"PokReferenceWindow", WS_EX_NOACTIVATE, WS_POPUP,
                                     {scale(left), 0, scale(left + 170), scale(420)}, nullptr,
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        for (const ControlRow& row : ControlRows) {
            if (!*row.text) continue;
            const PixelRect place = scale(row.place());
            HWND control = CreateWindowExW(row.exStyle, row.className, row.text, row.style, place.x, place.y,
                                           place.width, place.height, window_,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                           GetModuleHandleW(nullptr), nullptr);
            if (font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
        }
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        driver::PumpMessages();
    }
    ~ReferenceWindow() {
        DestroyWindow(window_);
        if (font_) DeleteObject(font_);
        driver::PumpMessages();
    }
    RECT clientScreenRect(int id) const { return driver::Inspect(GetDlgItem(window_, id)).clientRect; }

private:
    HFONT font_;
    HWND window_ = nullptr;
};

bool SamePixels(const RECT& a, const RECT& b) {
    return driver::Differences(driver::GrabScreen(a), driver::GrabScreen(b)).empty();
}

// Rows of a control's area that hold anything but the button face.
int InkRows(const RECT& area) {
    const driver::Pixels pixels = driver::GrabScreen(area);
    int first = -1, last = -1;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (pixels.at(x, y) != GetSysColor(COLOR_BTNFACE)) last = y, first = first < 0 ? y : first;
    return first < 0 ? 0 : last - first + 1;
}

// Every text drawn as the same system controls draw it in the settings
// window's font at this scale.
void ExpectTextsInFont(const SettingsSession& session, const Scale& scale) {
    ReferenceWindow reference(0, scale(12), scale);
    for (const ControlRow& row : ControlRows) {
        if (!*row.text) continue;
        // The colour button has the focus and may show it along its inner
        // edge; its text lies inside that.
        const int inside = row.id == ColourButtonId ? 3 : 0;
        const RECT shown = Inset(session.clientScreenRect(row.id), inside);
        EXPECT_TRUE(driver::WaitUntil(
            [&] { return SamePixels(shown, Inset(reference.clientScreenRect(row.id), inside)); }, Reaction))
            << "control " << row.id << " is not drawn in the 12-unit ＭＳ Ｐゴシック face at " << scale.dpi
            << " dpi";
    }
}

TEST_F(SettingsLayout, EveryTextIsInTheTwelveUnitJapaneseFont) {
    ExpectTextsInFont(session, DisplayScale());
    {
        // The comparison sees a control left in the system's font, once it shows its letters.
        ReferenceWindow withoutFont(180, 0);
        const RECT label = withoutFont.clientScreenRect(FewDogsLabelId);
        ASSERT_TRUE(driver::WaitUntil([&] { return InkRows(label) > 0; }, Reaction)) << "no letters without the font";
        EXPECT_FALSE(SamePixels(session.clientScreenRect(FewDogsLabelId), label));
    }
    {
        // And letters as much taller than at 96 dpi as the display's scale.
        ReferenceWindow designSize(180, 12);
        int designRows = 0;
        ASSERT_TRUE(driver::WaitUntil(
            [&] { return (designRows = InkRows(designSize.clientScreenRect(DogLabelId))) > 0; }, Reaction));
        const double ratio = double(InkRows(session.clientScreenRect(DogLabelId))) / designRows;
        EXPECT_NEAR(ratio, DisplayScale().dpi / 96.0, 0.2) << "the letters are not scaled with the display";
    }
}

// On Windows the picture control keeps its 154 x 114 (times the scale) with
// the bitmap inside its one-pixel edge; that is what the window must show
// everywhere.
void ExpectPictureWhole(const SettingsSession& session) {
    const RECT inside = session.clientScreenRect(PictureId);
    driver::Pixels picture;
    ASSERT_TRUE(driver::PictureShown(session.path(), PreviewPictureId, picture, inside.right - inside.left,
                                     inside.bottom - inside.top));
    std::string differences;
    driver::WaitUntil([&] { return (differences = driver::Differences(driver::GrabScreen(inside), picture)).empty(); },
                      Reaction);
    EXPECT_EQ(differences, "") << "the picture control does not show bitmap 102";
}

TEST_F(SettingsLayout, PictureControlShowsThePreviewPictureWhole) {
    ExpectPictureWhole(session);
    EXPECT_TRUE(driver::NotEnlarged(session.clientScreenRect(PictureId))) << "the picture";
}

// Icon 104 of a built executable as a title bar draws it: the small size,
// with the pixels its mask lets through (empty where the mask hides); none
// if the file holds no such icon.
std::vector<std::optional<COLORREF>> SmallIconPixels(const std::string& file, int size) {
    std::vector<std::optional<COLORREF>> pixels;
    HMODULE module = LoadLibraryExW(driver::Widen(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    auto icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(104), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    const auto on = [&](DWORD ground) {
        return driver::Painted(size, size, [&](HDC dc) {
            PatBlt(dc, 0, 0, size, size, ground);
            DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        }).data;
    };
    if (module && icon) {
        const std::vector<COLORREF> onBlack = on(BLACKNESS), onWhite = on(WHITENESS);
        for (size_t i = 0; i < onBlack.size(); ++i)
            pixels.push_back(onBlack[i] == onWhite[i] ? std::optional<COLORREF>(onBlack[i]) : std::nullopt);
        DestroyIcon(icon);
    }
    if (module) FreeLibrary(module);
    return pixels;
}

// Whether the area shows the icon anywhere, its hidden pixels aside.
bool IconIn(const RECT& area, const std::vector<std::optional<COLORREF>>& icon, int size) {
    const driver::Pixels screen = driver::GrabScreen(area);
    for (int y = area.top; y + size <= area.bottom; ++y)
        for (int x = area.left; x + size <= area.right; ++x) {
            bool shown = true;
            for (int i = 0; shown && i < size * size; ++i)
                shown = !icon[size_t(i)] || screen.at(x + i % size, y + i / size) == *icon[size_t(i)];
            if (shown) return true;
        }
    return false;
}

TEST_F(SettingsLayout, TitleBarHasIcon104AndACloseBoxButNoOtherBoxOrSizingBorder) {
    const driver::WindowInfo window = driver::Inspect(session.window());
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(window.style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU))
        << std::hex << window.style;
    EXPECT_FALSE(window.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(session.closeBox().has_value()) << "no close box";

    const int size = GetSystemMetrics(SM_CXSMICON);
    const auto icon = SmallIconPixels(session.path(), size);
    ASSERT_FALSE(icon.empty()) << "the built pok_v3.scr holds no icon 104";
    const auto opaque = std::count_if(icon.begin(), icon.end(), [](const auto& pixel) { return pixel.has_value(); });
    ASSERT_GT(opaque, size * size / 4) << "icon 104 is almost all transparent; nothing to look for";

    // Somewhere at the left end of the title bar, where the system draws it.
    const RECT titleStart = {window.rect.left, window.rect.top, window.rect.left + 3 * size, window.clientRect.top};
    EXPECT_TRUE(driver::WaitUntil([&] { return IconIn(titleStart, icon, size); }, Reaction))
        << "the title bar does not show icon 104";
}

// No bed has monitors of two scales, so the window is told of a move as
// Windows tells it: half a step up from the bed's scale (down from 200 %),
// with the window's rectangle at that scale, by the screen's right edge.
TEST_F(SettingsLayout, MovedToAMonitorOfAnotherScaleItStandsWhereSuggestedAndRedrawsAtThatScale) {
    const Scale shown = DisplayScale();
    const Scale target = ScaleForDpi(shown.dpi == 192 ? 96 : shown.dpi + 48);
    const driver::WindowInfo was = driver::Inspect(session.window());
    const int width = MulDiv(was.width(), target.dpi, shown.dpi);
    const int height = MulDiv(was.height(), target.dpi, shown.dpi);
    const int left = GetSystemMetrics(SM_CXSCREEN) - width - 8;
    const RECT suggested = {left, 8, left + width, 8 + height};
    ASSERT_TRUE(driver::DeliverDpiChanged(session.window(), target.dpi, suggested));

    // The suggested size, or the least that holds every control where the
    // suggestion would cut them (the bed's caption keeps the system's scale).
    const int frameWidth = was.width() - was.clientWidth(), frameHeight = was.height() - was.clientHeight();
    const RECT expected = {left, 8, left + std::max(width, target(164) + frameWidth),
                           8 + std::max(height, target(422) + frameHeight)};
    const RECT now = driver::Inspect(session.window()).rect;
    EXPECT_TRUE(EqualRect(&now, &expected)) << "the window is at (" << now.left << ", " << now.top << ") "
                                            << now.right - now.left << " x " << now.bottom - now.top;
    ExpectControlsAt(session.window(), target);
    ExpectTextsInFont(session, target);
    ExpectPictureWhole(session);
    EXPECT_TRUE(WaitPixels(session.swatchInside(), LightCyan)) << "the swatch is not painted where it now stands";

    // Moved back and over again, it holds what it held after the first move
    // (what the system makes on first use stays): the old font and picture go.
    const HANDLE process = session.process().handle();
    const long objects = driver::GdiObjectCount(process);
    ASSERT_TRUE(driver::DeliverDpiChanged(session.window(), shown.dpi, was.rect));
    ASSERT_TRUE(driver::DeliverDpiChanged(session.window(), target.dpi, suggested));
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::GdiObjectCount(process) == objects; }, Reaction))
        << driver::GdiObjectCount(process) - objects << " GDI objects more after two moves";
}

// Every slider beyond its range: the focus passing over a slider stores
// nothing, a key that moves one stores what it shows.
const std::string BeyondEveryRange = "[settei]\r\nBgColor=255\r\nhiki=50\r\ndx0=1\r\ndy0=99\r\nweight=4294967295\r\n";

// Each slider: where it stands without a file, its range, and where it
// stands for BeyondEveryRange.
const struct { int slider, position, minimum, maximum, beyond; } SliderTable[] = {
    {DogSliderId, 2, 0, 9, 9}, {StepSliderId, 8, 2, 20, 2}, {HopSliderId, 5, 0, 20, 20},
    {SpeedSliderId, 25, 0, 200, 200}};

TEST(Sliders, StandAtTheDefaultsWithoutAFileAndCoverTheirRanges) {
    SettingsSession session("slider_defaults");
    ASSERT_TRUE(session.open());
    for (const auto& c : SliderTable) {
        EXPECT_EQ(session.position(c.slider), c.position) << "slider " << c.slider;
        EXPECT_EQ(SendMessageW(session.control(c.slider), TBM_GETRANGEMIN, 0, 0), c.minimum) << c.slider;
        EXPECT_EQ(SendMessageW(session.control(c.slider), TBM_GETRANGEMAX, 0, 0), c.maximum) << c.slider;
    }
    EXPECT_EQ(session.cancel(), "");
    EXPECT_FALSE(session.iniExists()) << "only OK may write the file";
}

TEST(Sliders, ValuesBeyondTheirRangeShowAtTheNearestEndAndGoBackUnchanged) {
    SettingsSession session("slider_beyond", BeyondEveryRange);
    ASSERT_TRUE(session.open());
    for (const auto& c : SliderTable) EXPECT_EQ(session.position(c.slider), c.beyond) << "slider " << c.slider;
    EXPECT_EQ(session.ok(), "");
    EXPECT_EQ(driver::IniKeys(session.iniBytes(), "settei"), driver::IniKeys(BeyondEveryRange, "settei"))
        << "untouched sliders must write back what was read";
}

TEST(Sliders, DraggingTheStepSliderToItsEndStores20) {
    SettingsSession session("slider_drag");
    ASSERT_TRUE(session.open());
    ASSERT_TRUE(session.dragStepToItsEnd());
    EXPECT_EQ(session.ok(), "");
    EXPECT_EQ(session.iniBytes(), driver::SettingsFile(LightCyan, 2, 20, 5, 25));
}

TEST(Sliders, ArrowKeysAfterAClickMoveTheThumbAndTheSetting) {
    SettingsSession session("slider_keys");
    ASSERT_TRUE(session.open());
    const std::optional<POINT> thumb = session.thumbCentre(SpeedSliderId);
    ASSERT_TRUE(thumb);
    // A click in the channel right of the thumb moves it a page; releasing stores it.
    ASSERT_TRUE(driver::XClickAt(thumb->x + DisplayScale()(30), thumb->y));
    ASSERT_TRUE(driver::WaitUntil([&] { return session.position(SpeedSliderId) != 25; }, Reaction));
    const int released = session.position(SpeedSliderId);

    ASSERT_TRUE(driver::XKey("Right Right Right Right Right Right Right Right Right Right"));
    ASSERT_TRUE(session.waitPosition(SpeedSliderId, released + 10)) << "the slider did not take the keys";
    EXPECT_EQ(session.ok(), "");
    EXPECT_EQ(session.iniBytes(), driver::SettingsFile(LightCyan, 2, 8, 5, released + 10))
        << "the speed must be where the keys left the thumb, not where the mouse let go";
}

// Every way out: the process ends with code 0, and the main window was
// enabled again before the settings window went.
void ExpectClosedProperly(SettingsSession& session, const driver::DestroyWatch& watch, const std::string& way) {
    EXPECT_EQ(session.process().waitExit().problem(), "") << way;
    const auto ownerEnabled = [&] { return watch.ownerEnabledAtDestroy(session.window()); };
    ASSERT_TRUE(driver::WaitUntil([&] { return ownerEnabled().has_value(); }, Reaction))
        << way << ": the window's destruction was not seen";
    EXPECT_TRUE(*ownerEnabled()) << way << ": the main window was still disabled when the settings window went";
}

TEST(Closing, OkWritesAllFiveKeysInTheirOrder) {
    driver::DestroyWatch watch;
    ASSERT_TRUE(watch.installed());
    SettingsSession session("close_ok");
    ASSERT_TRUE(session.open());
    ASSERT_TRUE(session.click(OkButtonId));
    ExpectClosedProperly(session, watch, "OK");
    EXPECT_EQ(session.iniBytes(), FreshFile);
}

TEST(Closing, CancelCloseBoxAndAltF4LeaveTheFileAsItWas) {
    const std::string before = "; kept as it is\r\n[settei]\r\nweight=3\r\nBgColor=255\r\n";
    const struct { const char* way; bool (*close)(SettingsSession&); } ways[] = {
        {"CANCEL", [](SettingsSession& s) { return s.click(CancelButtonId); }},
        {"close box",
         [](SettingsSession& s) {
             const std::optional<POINT> box = s.closeBox();
             return box && driver::XClickAt(box->x, box->y);
         }},
        {"Alt+F4", [](SettingsSession&) { return driver::XKey("alt+F4"); }},
        {"Escape", [](SettingsSession&) { return driver::XKey("Escape"); }},
        // The focus is back on the colour button after its dialog.
        {"Enter on CANCEL",
         [](SettingsSession& s) {
             return driver::XKey("shift+Tab") && s.waitFocus(CancelButtonId) && driver::XKey("Return");
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        driver::DestroyWatch watch;
        ASSERT_TRUE(watch.installed());
        SettingsSession session("close_other", before);
        ASSERT_TRUE(session.open());
        ASSERT_TRUE(session.dragStepToItsEnd());
        ASSERT_TRUE(ChooseColour(session, PureBlue));
        ASSERT_TRUE(WaitPixels(session.swatchInside(), PureBlue)) << "the colour did not change";
        ASSERT_TRUE(way.close(session));
        ExpectClosedProperly(session, watch, way.way);
        EXPECT_EQ(session.iniBytes(), before);
    }
}

TEST(Closing, CommandFromOkWithNotificationCodeOneNeitherSavesNorCloses) {
    SettingsSession session("command_code_one");
    ASSERT_TRUE(session.open());
    PostMessageW(session.window(), WM_COMMAND, MAKEWPARAM(OkButtonId, 1),
                 reinterpret_cast<LPARAM>(session.control(OkButtonId)));
    ASSERT_TRUE(session.settle());
    EXPECT_TRUE(session.windowOpen());
    EXPECT_FALSE(session.iniExists());
    EXPECT_EQ(session.cancel(), "");
    EXPECT_FALSE(session.iniExists());
}

TEST(Closing, FocusStartsOnTheColourButtonTabGoesRoundBothWaysAndEnterOnASliderSaves) {
    SettingsSession session("dialog_keys", BeyondEveryRange);
    ASSERT_TRUE(session.open());
    const std::vector<int> ring = ReadingOrderRing(ControlRows);
    const int n = static_cast<int>(ring.size());
    EXPECT_TRUE(session.waitFocus(ring[0])) << "the focus is on " << session.focused() << " at open";
    for (int i = 1; i <= 2 * n; ++i) {
        const bool back = i > n;
        ASSERT_TRUE(driver::XKey(back ? "shift+Tab" : "Tab"));
        const int expected = ring[back ? 2 * n - i : i % n];
        ASSERT_TRUE(session.waitFocus(expected))
            << (back ? "Shift+Tab" : "Tab") << " went to " << session.focused() << ", not " << expected;
    }
    ASSERT_TRUE(driver::XKey("Tab Tab") && session.waitFocus(StepSliderId));
    ASSERT_TRUE(driver::XKey("End") && session.waitPosition(StepSliderId, 20));
    ASSERT_TRUE(driver::XKey("Return"));
    EXPECT_EQ(session.process().waitExit().problem(), "") << "Enter on a slider did not save and close";
    EXPECT_EQ(driver::IniKeys(session.iniBytes(), "settei"),
              driver::IniKeys(driver::SettingsFile(255, 50, 20, 99, 4294967295), "settei"));
}

TEST(UnwritableFile, OkSaysSoInJapaneseAndKeepsTheWindowOpen) {
    const std::string before = "[settei]\r\nhiki=3\r\n";
    SettingsSession session("unwritable", before);
    ASSERT_TRUE(session.open());
    ASSERT_TRUE(session.dragStepToItsEnd());
    const HANDLE held = driver::HoldOpen(session.ini());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(session.click(OkButtonId));
    HWND message = session.waitStandardDialog();
    ASSERT_NE(message, nullptr) << "no message about the failed save";
    EXPECT_EQ(GetWindow(message, GW_OWNER), session.window()) << "the message must belong to the settings window";
    std::wstring texts;
    for (const driver::WindowInfo& child : driver::Children(message)) texts += child.text + L"\n";
    EXPECT_NE(texts.find(L"設定を保存できませんでした"), std::wstring::npos) << driver::Utf8(texts);
    EXPECT_TRUE(session.windowOpen());

    ASSERT_TRUE(driver::XClickCentre(GetDlgItem(message, IDOK)));
    ASSERT_TRUE(driver::WaitWindowGone(message, Reaction));
    EXPECT_TRUE(session.windowOpen()) << "the settings window must stay for another try";
    EXPECT_TRUE(driver::WaitUntil([&] { return IsWindowEnabled(session.window()) != FALSE; }, Reaction));
    CloseHandle(held);
    EXPECT_EQ(session.iniBytes(), before);
    EXPECT_EQ(session.cancel(), "");
    EXPECT_EQ(session.iniBytes(), before);
}

}  // namespace
