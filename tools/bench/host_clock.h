// The host's clock from the Windows side, for times set against those the
// host tools take.
#pragma once

#include <windows.h>

// Unix time in nanoseconds: Wine's system clock is the host's
// CLOCK_REALTIME.
inline long long UnixNanoseconds() {
    using Precise = void(WINAPI*)(FILETIME*);
    static const auto precise = reinterpret_cast<Precise>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now;
    if (precise) precise(&now); else GetSystemTimeAsFileTime(&now);
    const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100;
}
