// The background colour: the system colour dialog as the colour button opens
// it, the swatch beside the button, and what both leave behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "driver.h"
#include "settings_session.h"

namespace {

using namespace settings_test;

// Lays a black window over the whole settings window, waits until it shows,
// and takes it away again: the settings window must repaint.
bool CoverAndUncover(const SettingsSession& session) {
    HWND cover = driver::ShowCover(driver::Inspect(session.window()).rect);
    const bool covered = WaitPixels(session.swatchInside(), RGB(0, 0, 0));
    DestroyWindow(cover);
    driver::PumpMessages();
    return covered;
}

TEST(ColourChooser, OpensExpandedOnTheCurrentColourWithTheSixteenGreysEveryTime) {
    SettingsSession session("colour_dialog", "[settei]\r\nBgColor=2113664\r\n");  // red 128, green 64, blue 32
    ASSERT_TRUE(session.open());

    std::optional<ColourDialog> dialog = OpenColourDialog(session);
    ASSERT_TRUE(dialog) << "the colour button opened no dialog";
    EXPECT_EQ(dialog->shown(), L"128 64 32");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog->window, ColourDialog::RedEdit)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog->window, ColourDialog::DefineCustom)))
        << "the dialog must open with its custom-colour part already shown";
    EXPECT_TRUE(dialog->waitGreys()) << "the custom colours are not the sixteen greys";

    // The user replaces a custom colour with red and takes red...
    const COLORREF red = RGB(255, 0, 0);
    ASSERT_TRUE(dialog->typeColour(red));
    ASSERT_TRUE(dialog->click(ColourDialog::AddToCustom));
    const auto holdsRed = [&] {
        const std::vector<COLORREF> colours = dialog->customColours();
        return std::find(colours.begin(), colours.end(), red) != colours.end();
    };
    ASSERT_TRUE(driver::WaitUntil(holdsRed, Reaction)) << "the custom colour was not replaced";
    ASSERT_TRUE(dialog->close(IDOK));
    EXPECT_TRUE(WaitPixels(session.swatchInside(), red));

    // ...and the next time the greys are offered again, red selected.
    dialog = OpenColourDialog(session);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->shown(), L"255 0 0");
    EXPECT_TRUE(dialog->waitGreys()) << "the custom colours edited last time came back";
    ASSERT_TRUE(dialog->close(IDCANCEL));

    EXPECT_EQ(session.cancel(), "");
}

TEST(ColourChooser, PureBlueShowsInTheSwatchStaysThroughARepaintAndIsSavedByOk) {
    SettingsSession session("colour_blue");
    ASSERT_TRUE(session.open());
    EXPECT_TRUE(WaitPixels(session.swatchInside(), LightCyan)) << "first showing";

    ASSERT_TRUE(ChooseColour(session, PureBlue));
    EXPECT_TRUE(WaitPixels(session.swatchInside(), PureBlue)) << "after the choice";
    ASSERT_TRUE(CoverAndUncover(session));
    EXPECT_TRUE(WaitPixels(session.swatchInside(), PureBlue)) << "after being covered and uncovered";

    EXPECT_EQ(session.ok(), "");
    EXPECT_EQ(session.iniBytes(), driver::SettingsFile(PureBlue, 2, 8, 5, 25));
}

TEST(ColourChooser, CancelInTheDialogLeavesColourAndSwatchAlone) {
    SettingsSession session("colour_cancel");
    ASSERT_TRUE(session.open());
    ASSERT_TRUE(WaitPixels(session.swatchInside(), LightCyan));

    ASSERT_TRUE(ChooseColour(session, PureBlue, IDCANCEL));
    EXPECT_TRUE(WaitPixels(session.swatchInside(), LightCyan));

    EXPECT_EQ(session.ok(), "");
    EXPECT_EQ(session.iniBytes(), FreshFile);
}

// Opens the dialog with a click message and, once it has drawn itself,
// closes it with its Cancel.
bool OpenAndCancelDialog(SettingsSession& session) {
    driver::ClickButton(session.window(), ColourButtonId);
    const ColourDialog dialog{session.waitStandardDialog()};
    if (!dialog.window) return false;
    const bool drawn = dialog.waitGreys();
    // Everything of the dialog drawn: what the drawing creates for good is
    // then made in the first round, not whenever a round happens to get that far.
    RedrawWindow(dialog.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PostMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0);
    return drawn && dialog.waitGone() && session.settle();
}

// The count with the process at rest: a read during a paint would include the
// regions and device contexts of that paint, so reads repeat, each behind
// everything queued before it, until two agree.
long IdleGdiCount(SettingsSession& session) {
    const HANDLE process = session.process().handle();
    long previous = -2, now = -1;
    for (int read = 0; read < 20 && now != previous; ++read) {
        WaitForInputIdle(process, Reaction);
        session.settle();
        previous = now;
        now = driver::GdiObjectCount(process);
    }
    return now;
}

using DrawingResources = OpenSettings;

TEST_F(DrawingResources, FiftyColourDialogsAndFiftyRepaintsLeaveTheGdiCountAlone) {
    ASSERT_TRUE(WaitPixels(session.swatchInside(), LightCyan));
    ASSERT_GT(IdleGdiCount(session), 0) << "the process's GDI objects cannot be counted";

    // The system keeps some of what the first rounds create (cached device
    // contexts, fonts) for the life of the process: the count is taken once
    // rounds stop changing it. A round that leaks never lets it settle and
    // shows below as fifty or a hundred more.
    long before = IdleGdiCount(session);
    for (int round = 0, unchanged = 0; round < 15 && unchanged < 3; ++round) {
        ASSERT_TRUE(OpenAndCancelDialog(session));
        ASSERT_TRUE(CoverAndUncover(session));
        const long now = IdleGdiCount(session);
        unchanged = now == before ? unchanged + 1 : 0;
        before = now;
    }

    for (int round = 0; round < 50; ++round) ASSERT_TRUE(OpenAndCancelDialog(session)) << "dialog " << round;
    for (int round = 0; round < 50; ++round) {
        ASSERT_TRUE(CoverAndUncover(session)) << "repaint " << round;
        ASSERT_TRUE(WaitPixels(session.swatchInside(), LightCyan)) << "repaint " << round;
    }
    EXPECT_EQ(IdleGdiCount(session), before);
}

}  // namespace
