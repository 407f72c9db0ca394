// Frame pacing arithmetic, without windows.h: how long a frame waits, when
// the next one is due, how often the input is looked at meanwhile.
#pragma once

#include <cstdint>

#include "app/scale.h"

// The saver keeps its frame count where the speed setting was: 205 less the
// slider value (200 -> 5 ms, 0 -> 205 ms), wrapped to 32 bits so that any
// hand-written weight still gives a value.
std::uint32_t FrameCountOf(std::uint32_t weight);

// A frame's wait in microseconds: the frame count in milliseconds, read as a
// signed value, and never less than one. A count of 0 or less (a hand-edited
// weight) would otherwise draw frames as fast as the machine can.
std::int64_t FrameMicroseconds(std::uint32_t frameCount);

// Where the system's waits come in steps of its timer tick (15.6 ms unless a
// 1 ms resolution is asked for), a frame shorter than this needs the finer one.
constexpr std::int64_t FineTimerBelowUs = 30'000;

// The input state (the pointer, Escape pressed while another window has the
// keyboard) is looked at on every wake and at least this often.
constexpr std::int64_t InputLookUs = 200'000;

// True when the cursor went two pixels or more in either axis between two
// readings; a one-pixel tremble of the mouse does not end the saver. The
// pixels are 96-dpi ones (four at 200 %), so the same hand movement ends it
// at any scale.
bool CursorMovedFar(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by, const Scale& scale = {});

// The performance counter's count in microseconds. In two parts: the count
// times a million would leave 64 bits after days of uptime.
std::int64_t CounterMicroseconds(std::int64_t count, std::int64_t frequency);

// When frames are due, in microseconds of a clock that does not wrap. A
// frame waits its frame count after its drawing, as the speed setting was
// designed; what the last wait overslept (the timer's granularity) comes off
// the next one, so the pace does not drift. A wait that overslept by more
// than a tick, or half a frame, made a late frame: the next frames do not
// hurry to catch it up.
struct FrameClock {
    std::int64_t deadline = 0;
    std::int64_t overslept = 0;
};

// The frame was drawn by `now`: the moment its wait ends.
std::int64_t ScheduleFrame(FrameClock& clock, std::int64_t now, std::int64_t frameUs);

// The wait ended at `now`, at or after the deadline.
void FrameWaitEnded(FrameClock& clock, std::int64_t now);

// How long the wait may sleep before it looks at the input again: to the
// deadline, at most InputLookUs; 0 once the frame is due.
std::int64_t SleepBeforeLooking(const FrameClock& clock, std::int64_t now);
