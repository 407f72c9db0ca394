#include "settings_window/rules.h"

const ControlRow ControlRows[19] = {
    {StepSliderId, L"msctls_trackbar32", L"", SliderStyle, 0, 40, 224, 125, 25},
    {HopSliderId, L"msctls_trackbar32", L"", SliderStyle, 0, 40, 254, 125, 25},
    {OkButtonId, L"BUTTON", L"OK", PushButtonStyle, 0, 5, 338, 70, 30},
    {CancelButtonId, L"BUTTON", L"CANCEL", PushButtonStyle, 0, 89, 338, 70, 30},
    {StepLabelId, L"STATIC", L"すすむ", LabelStyle, 0, 5, 230, 39, 18},
    {HopLabelId, L"STATIC", L"はねる", LabelStyle, 0, 5, 259, 43, 22},
    {FewDogsLabelId, L"STATIC", L"ちょっぴり", LabelStyle, 0, 47, 175, 55, 17},
    {SpeedLabelId, L"STATIC", L"うごき", LabelStyle, 0, 5, 309, 40, 19},
    {SpeedSliderId, L"msctls_trackbar32", L"", SliderStyle, 0, 40, 303, 125, 25},
    {ManyDogsLabelId, L"STATIC", L"いっぱい", LabelStyle, 0, 114, 175, 49, 16},
    {SlowLabelId, L"STATIC", L"ゆっくり", LabelStyle, 0, 47, 286, 43, 15},
    {FastLabelId, L"STATIC", L"はやい", LabelStyle, 0, 121, 286, 40, 14},
    {ColourButtonId, L"BUTTON", L"背景色", PushButtonStyle, 0, 5, 129, 57, 33},
    {PictureId, L"STATIC", L"", PictureStyle, StaticEdge, 5, 6, 154, 114},
    {SwatchId, L"STATIC", L"", SwatchStyle, 0, 69, 129, SwatchWidth, SwatchHeight},
    {AuthorCreditId, L"STATIC", L"作・絵 こむぎ小路 2004", CentredTextStyle, ClientEdge, 5, 379, 154, 31},
    {DogSliderId, L"msctls_trackbar32", L"", SliderStyle, 0, 39, 195, 125, 25},
    {DogLabelId, L"STATIC", L"いぬ", LabelStyle, 0, 5, 201, 39, 18},
    {ProducerCreditId, L"STATIC", L"制作 しっぽ振り工房", CentredTextStyle, 0, 9, 395, 147, 16},
};

const SliderRow SliderRows[4] = {
    {StepSliderId, 2, 20, &SaverSettingsRecord::dx0},
    {HopSliderId, 0, 20, &SaverSettingsRecord::dy0},
    {SpeedSliderId, 0, 200, &SaverSettingsRecord::weight},
    {DogSliderId, 0, 9, &SaverSettingsRecord::hiki},
};

const SliderRow* FindSlider(int id) {
    for (const SliderRow& row : SliderRows)
        if (row.id == id) return &row;
    return nullptr;
}

std::uint32_t ThumbPosition(const SliderRow& row, std::uint32_t value) {
    if (value < row.minimum) return row.minimum;
    if (value > row.maximum) return row.maximum;
    return value;
}

int CentredOrigin(int screenSize, int windowSize) {
    // The quotient is exact in integers but for an odd difference, whose half
    // lies between the truncated value and its neighbour away from zero.
    const int difference = screenSize - windowSize;
    int half = difference / 2;
    if (difference % 2 != 0 && half % 2 != 0) half += difference > 0 ? 1 : -1;
    return half;
}

ButtonAction ActionOf(int id, int notificationCode) {
    // Only a click: a non-zero code (an accelerator's 1, for one) does nothing.
    if (notificationCode != 0) return ButtonAction::None;
    switch (id) {
    case ColourButtonId: return ButtonAction::ChooseColour;
    case OkButtonId: return ButtonAction::Save;
    case CancelButtonId: return ButtonAction::Cancel;
    }
    return ButtonAction::None;
}

const int FocusRing[FocusRingSize] = {
    ColourButtonId, DogSliderId, StepSliderId, HopSliderId, SpeedSliderId, OkButtonId, CancelButtonId,
};

int NextInFocusRing(int id, bool backwards) {
    for (int i = 0; i < FocusRingSize; ++i)
        if (FocusRing[i] == id)
            return FocusRing[(i + (backwards ? FocusRingSize - 1 : 1)) % FocusRingSize];
    return backwards ? FocusRing[FocusRingSize - 1] : FocusRing[0];
}

KeyMeaning MeaningOfKey(int virtualKey, bool shift, int focusedId) {
    switch (virtualKey) {
    case TabKey: return {KeyMeaning::Focus, NextInFocusRing(focusedId, shift)};
    case EscapeKey: return {KeyMeaning::Press, CancelButtonId};
    case ReturnKey:
        // A focused button is the one Enter means; from anywhere else it is OK.
        if (focusedId == ColourButtonId || focusedId == OkButtonId || focusedId == CancelButtonId)
            return {KeyMeaning::Press, focusedId};
        return {KeyMeaning::Press, OkButtonId};
    }
    return {KeyMeaning::Pass, 0};
}

std::uint32_t CustomGrey(int index) {
    const std::uint32_t level = 15u * static_cast<std::uint32_t>(index);
    return level | level << 8 | level << 16;
}
