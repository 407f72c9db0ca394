// The settings window's arithmetic and slider table, without windows.h.
#pragma once

#include <cstdint>

#include "app/scale.h"
#include "settings/settings.h"

// Control identifiers, in creation order.
enum SettingsControlId : int {
    StepSliderId = 1000,
    HopSliderId = 1001,
    OkButtonId = 1002,
    CancelButtonId = 1003,
    StepLabelId = 1004,
    HopLabelId = 1005,
    FewDogsLabelId = 1006,
    SpeedLabelId = 1007,
    SpeedSliderId = 1008,
    ManyDogsLabelId = 1009,
    SlowLabelId = 1010,
    FastLabelId = 1011,
    ColourButtonId = 1012,
    PictureId = 1013,
    SwatchId = 1014,
    AuthorCreditId = 1015,
    DogSliderId = 1016,
    DogLabelId = 1017,
    ProducerCreditId = 1018,
};

// The controls' style words, Windows' bits spelled out so that the table
// needs no windows.h.
constexpr std::uint32_t SliderStyle = 0x50000018;       // child, visible, horizontal, both ends, no ticks
constexpr std::uint32_t PushButtonStyle = 0x50000000;   // child, visible, push button
constexpr std::uint32_t LabelStyle = 0x50000000;        // child, visible, left-aligned text
constexpr std::uint32_t PictureStyle = 0x5000000E;      // child, visible, bitmap
constexpr std::uint32_t SwatchStyle = 0x50000012;       // child, visible, etched frame
constexpr std::uint32_t CentredTextStyle = 0x50000001;  // child, visible, centred text
constexpr std::uint32_t StaticEdge = 0x00020000, ClientEdge = 0x00000200;

// One child control of the settings window, in client-area pixels at 96 dpi.
struct ControlRow {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    std::uint32_t style;
    std::uint32_t exStyle;
    int x, y, width, height;
    PixelRect place() const { return {x, y, width, height}; }
};

// The nineteen controls in creation (identifier) order.
extern const ControlRow ControlRows[19];

// The client area they stand in, at 96 dpi.
constexpr PixelRect SettingsClientArea = {0, 0, 164, 422};

constexpr int SwatchWidth = 90;
constexpr int SwatchHeight = 33;

// A slider and the setting it edits.
struct SliderRow {
    int id;
    std::uint32_t minimum, maximum;
    std::uint32_t SaverSettingsRecord::*field;
};

// In the order the ranges and then the positions are set.
extern const SliderRow SliderRows[4];

// The row of a slider identifier, or nullptr for any other control.
const SliderRow* FindSlider(int id);

// Where a slider's thumb stands for a stored value: a value outside the range
// (a hand-edited file) shows at its nearest end, read as the unsigned value it is.
std::uint32_t ThumbPosition(const SliderRow& row, std::uint32_t value);

// Left or top edge that centres a window of this size on a screen of this
// size; a half pixel goes to the even neighbour.
int CentredOrigin(int screenSize, int windowSize);

// What a WM_COMMAND from the settings window's controls does.
enum class ButtonAction { None, ChooseColour, Save, Cancel };
ButtonAction ActionOf(int id, int notificationCode);

// The controls Tab visits, in reading order; Shift+Tab walks it backwards,
// and both go round.
constexpr int FocusRingSize = 7;
extern const int FocusRing[FocusRingSize];

// The control after (backwards: before) this one in the ring; from a control
// outside it, the first (backwards: the last).
int NextInFocusRing(int id, bool backwards);

// The keys the window gives a meaning, by their virtual-key codes.
enum SettingsKey : int { TabKey = 0x09, ReturnKey = 0x0D, EscapeKey = 0x1B };

// What a key pressed in the window does, with the focus on focusedId (0 for
// none): Pass leaves it to the focused control, Focus moves the focus to id,
// Press acts as a click of button id.
struct KeyMeaning {
    enum Kind { Pass, Focus, Press } kind;
    int id;
    bool operator==(const KeyMeaning& other) const { return kind == other.kind && id == other.id; }
};
KeyMeaning MeaningOfKey(int virtualKey, bool shift, int focusedId);

// The custom colours the colour dialog offers: sixteen greys from black up in
// steps of 15 (white is not among them), as COLORREF 0x00BBGGRR.
constexpr int CustomColourCount = 16;
std::uint32_t CustomGrey(int index);
