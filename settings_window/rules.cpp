#include "settings_window/rules.h"

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
