/* The host's two clocks, as the host tools of the bench read them. */
#pragma once

#include <time.h>

/* Milliseconds on CLOCK_MONOTONIC: for spans. */
static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* Nanoseconds on CLOCK_REALTIME, the clock Wine's system time comes from. */
static long long unix_ns(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}
