// A settings window of pok_v3.scr opened as the system opens it, and what
// the settings tests do to it: read its controls, click and drag them with
// the real pointer, and read the file it writes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "settings_window/rules.h"

namespace settings_test {

using driver::Reaction;
using driver::WaitPixels;
using driver::WindowAppears;

constexpr COLORREF LightCyan = driver::DefaultBackground;
constexpr COLORREF PureBlue = RGB(0, 0, 255);
const std::string FreshFile = driver::SettingsFile(LightCyan, 2, 8, 5, 25);

inline RECT Inset(const RECT& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// A private copy of the saver, so that each test has its own settings file,
// and its settings window opened with "/c".
class SettingsSession : public driver::ScrCopy {
public:
    // Over a settings file of these bytes, if given.
    explicit SettingsSession(const std::string& name, const std::optional<std::string>& ini = {}) : ScrCopy(name) {
        if (ini) writeIni(*ini);
    }

    std::string iniBytes() const { return driver::ReadFile(ini()); }
    bool iniExists() const { return driver::FileExists(ini()); }

    // Starts the process and waits until its window is shown and its owner,
    // the hidden main window, disabled; else says what was seen instead.
    testing::AssertionResult open() {
        process_ = start("/c");
        window_ = process_.window(driver::SettingsTitle);
        if (!window_) {
            const driver::ExitReport exit = process_.waitExit(0);
            if (exit.ended) return testing::AssertionFailure() << "the process ended with code " << exit.code;
            const std::vector<driver::WindowInfo> windows = driver::TopLevelWindows(process_.id());
            const auto visible = std::count_if(windows.begin(), windows.end(), [](const auto& w) { return w.visible; });
            return testing::AssertionFailure() << "no settings window after " << WindowAppears << " ms; the process runs on "
                                               << driver::DesktopOf(process_.id()) << " with " << windows.size()
                                               << " top-level windows, " << visible << " visible";
        }
        const HWND owner = GetWindow(window_, GW_OWNER);
        if (driver::WaitUntil([&] { return owner && !IsWindowEnabled(owner); }, WindowAppears))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "the main window was not disabled";
    }

    HWND window() const { return window_; }
    driver::Process& process() { return process_; }
    bool windowOpen() const { return IsWindow(window_) && process_.running(); }

    HWND control(int id) const { return GetDlgItem(window_, id); }
    RECT clientScreenRect(int id) const { return driver::Inspect(control(id)).clientRect; }
    // The swatch's inside: its client area less the etched frame's two lines.
    RECT swatchInside() const { return Inset(clientScreenRect(SwatchId), 2); }

    // The control with the keyboard focus, as the window's thread reports it
    // (0 for none, or the window itself).
    int focused() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) || !info.hwndFocus) return 0;
        return info.hwndFocus == window_ ? 0 : GetDlgCtrlID(info.hwndFocus);
    }
    bool waitFocus(int id) const { return driver::WaitUntil([&] { return focused() == id; }, Reaction); }

    // A person's click in the middle of a control.
    bool click(int id) const { return driver::XClickCentre(control(id)); }

    int position(int slider) const {
        return static_cast<int>(SendMessageW(control(slider), TBM_GETPOS, 0, 0));
    }
    bool waitPosition(int slider, int value) const {
        return driver::WaitUntil([&] { return position(slider) == value; }, Reaction);
    }

    // Returns once the window has handled everything posted or typed to it
    // before: a marker goes through its queue behind them. The hop slider's
    // line size carries the marker; no test moves that slider by keyboard.
    bool settle() {
        const int marker = ++marker_ % 50 + 2;
        PostMessageW(control(HopSliderId), TBM_SETLINESIZE, 0, marker);
        return driver::WaitUntil([&] { return SendMessageW(control(HopSliderId), TBM_GETLINESIZE, 0, 0) == marker; },
            Reaction);
    }

    // The middle of a slider's thumb, as the slider itself places it. Not
    // read off the screen: a window opened where the last one stood shows
    // that one's thumb until it has painted.
    std::optional<POINT> thumbCentre(int slider) const {
        RECT thumb = driver::RemoteRect(control(slider), TBM_GETTHUMBRECT);
        if (IsRectEmpty(&thumb)) return std::nullopt;
        MapWindowPoints(control(slider), nullptr, reinterpret_cast<POINT*>(&thumb), 2);
        return POINT{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    }

    // A person's drag of the step slider's thumb past its right end,
    // released once the slider shows its largest value, 20.
    bool dragStepToItsEnd() const {
        const std::optional<POINT> thumb = thumbCentre(StepSliderId);
        if (!thumb) return false;
        const int x = driver::Inspect(control(StepSliderId)).rect.right + driver::DisplayScale()(30);
        bool moved = driver::XMovePointer(thumb->x, thumb->y) && driver::XButton(1, true);
        // Several steps, as a hand moves: a trackbar follows each one.
        for (int step = 1; moved && step <= 4; ++step)
            moved = driver::XMovePointer(thumb->x + (x - thumb->x) * step / 4, thumb->y);
        const bool reached = moved && waitPosition(StepSliderId, 20);
        return driver::XButton(1, false) && reached;
    }

    // A point of the title bar that answers as the close box.
    std::optional<POINT> closeBox() const {
        const RECT rect = driver::Inspect(window_).rect;
        const int y = rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
        for (int x = rect.right - 1; x > rect.left; --x)
            if (SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return POINT{x - 4, y};
        return std::nullopt;
    }

    // A visible standard dialog of the process (the colour dialog, a message box).
    HWND waitStandardDialog() { return process_.window(L"", driver::StandardDialogClass); }

    // A person's OK or CANCEL: "" once the process has ended with code 0, else what went wrong.
    std::string ok() { return click(OkButtonId) ? process_.waitExit().problem() : "OK not clicked"; }
    std::string cancel() { return click(CancelButtonId) ? process_.waitExit().problem() : "CANCEL not clicked"; }

private:
    driver::Process process_;
    HWND window_ = nullptr;
    int marker_ = 0;
};

// A test run with the settings window open over no settings file, which
// CANCEL closes after the test unless a fatal failure stopped it.
class OpenSettings : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.open()); }
    void TearDown() override { EXPECT_EQ(HasFatalFailure() ? std::string() : session.cancel(), ""); }
    SettingsSession session{"open"};
};

// The colour dialog as a person meets it.
struct ColourDialog {
    static constexpr int RedEdit = 706, GreenEdit = 707, BlueEdit = 708;
    static constexpr int AddToCustom = 712, DefineCustom = 719, CustomColours = 721;

    HWND window;

    // Asked of the control itself: GetWindowText does not read another
    // process's edit boxes.
    std::wstring text(int id) const {
        wchar_t buffer[64] = {};
        SendMessageW(GetDlgItem(window, id), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }

    bool click(int id) const { return driver::XClickCentre(GetDlgItem(window, id)); }
    // Its OK or Cancel, pressed until it has gone.
    bool close(int button) const { return click(button) && waitGone(); }

    // Clicks into an edit box, clears its (at most three) digits and types value.
    bool type(int edit, int value) const {
        std::string keys = "End BackSpace BackSpace BackSpace";
        for (char digit : std::to_string(value)) keys += std::string(" ") + digit;
        return click(edit) && driver::XKey(keys) &&
               driver::WaitUntil([&] { return text(edit) == std::to_wstring(value); }, Reaction);
    }

    bool typeColour(COLORREF colour) const {
        return type(RedEdit, GetRValue(colour)) && type(GreenEdit, GetGValue(colour)) &&
               type(BlueEdit, GetBValue(colour));
    }
    // Its three edit boxes' texts: red, green and blue.
    std::wstring shown() const { return text(RedEdit) + L" " + text(GreenEdit) + L" " + text(BlueEdit); }

    // The colour in the middle of each of the sixteen custom-colour boxes,
    // sorted: which box holds which colour is the dialog's affair.
    std::vector<COLORREF> customColours() const {
        const driver::Pixels boxes = driver::GrabScreen(driver::Inspect(GetDlgItem(window, CustomColours)).clientRect);
        std::vector<COLORREF> colours;
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 8; ++column)
                colours.push_back(boxes.at(boxes.left + column * boxes.width / 8 + boxes.width / 16,
                                           boxes.top + row * boxes.height / 2 + boxes.height / 4));
        std::sort(colours.begin(), colours.end());
        return colours;
    }

    bool waitGone() const { return driver::WaitWindowGone(window, Reaction); }
    // Whether it offers the sixteen greys as its custom colours, once drawn;
    // made darkest first, they come in the order customColours sorts to.
    bool waitGreys() const {
        std::vector<COLORREF> greys;
        for (int level = 0; level <= 225; level += 15) greys.push_back(RGB(level, level, level));
        return driver::WaitUntil([&] { return customColours() == greys; }, Reaction);
    }
};

// Opens the colour dialog with the colour button, as a person does.
inline std::optional<ColourDialog> OpenColourDialog(SettingsSession& session) {
    const HWND dialog = session.click(ColourButtonId) ? session.waitStandardDialog() : nullptr;
    return dialog ? std::optional<ColourDialog>({dialog}) : std::nullopt;
}

// Types a colour into the dialog and closes it with its OK, or Cancel if told.
inline bool ChooseColour(SettingsSession& session, COLORREF colour, int button = IDOK) {
    const std::optional<ColourDialog> dialog = OpenColourDialog(session);
    return dialog && dialog->typeColour(colour) && dialog->close(button) && session.settle();
}

}  // namespace settings_test
