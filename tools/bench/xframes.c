/* Watches what reaches the X screen through the DAMAGE extension: every
   drawing into the root window or below it raises a DAMAGE event, and one
   presented frame of the saver is one burst of them.

     xframes SECONDS
         counts the frames drawn for that long; prints
         frames N mean_ms M min_ms A max_ms B
         (M from the first frame to the last; gaps to the millisecond)
     xframes --first RRGGBB TIMEOUT_SECONDS READY_FILE
         creates READY_FILE once it is watching, then waits for the first
         burst after which the whole desktop is that colour; prints
         first_frame_unix_ns T   (CLOCK_REALTIME, the clock Wine's system
         time comes from) or "none" when the time ran out. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "host_time.h"

static Display *display;
static int damage_event;

/* Reads the queued events up to the next DAMAGE event, if one is queued, and
   gives the server's time of it: Xvfb stamps DAMAGE events with
   CLOCK_MONOTONIC in milliseconds (32 bits), which times a frame when it was
   drawn, not when this watcher happened to be scheduled to read it. */
static int next_damage(Time *stamp) {
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != damage_event + XDamageNotify) continue;
        *stamp = ((const XDamageNotifyEvent *)&event)->timestamp;
        return 1;
    }
    return 0;
}

static double stamp_gap(Time later, Time earlier) { return (double)((later - earlier) & 0xFFFFFFFFUL); }

/* The server's time of the last DAMAGE event read. */
static Time last_stamp;

static int drain_damage(void) {
    int seen = 0;
    while (next_damage(&last_stamp)) seen = 1;
    return seen;
}

static void open_watch(void) {
    display = XOpenDisplay(NULL);
    int error_base;
    if (!display || !XDamageQueryExtension(display, &damage_event, &error_base)) {
        fprintf(stderr, "xframes: no display or no DAMAGE extension\n");
        exit(1);
    }
    XDamageCreate(display, DefaultRootWindow(display), XDamageReportRawRectangles);
    /* A new damage object first reports the whole window as damaged; that
       is no frame of the saver's. */
    XSync(display, False);
    drain_damage();
}

/* Waits until an event is queued or the given time (ms) has passed. */
static void wait_events(double ms) {
    if (XPending(display)) return;
    struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    const struct timespec wait = {0, (long)(ms * 1e6)};
    ppoll(&connection, 1, &wait, NULL);
}

static int count_frames(double seconds) {
    open_watch();

    /* A frame is a burst of damage of any size (the saver presents only what
       changed); bursts are separated by a quiet gap of more than 1 ms. */
    const double start = now_ms();
    double last_event = -1e9, shortest = 0, longest = 0;
    Time stamp, first_frame = 0, previous_frame = 0;
    int frames = 0;
    while (now_ms() - start < seconds * 1000.0) {
        wait_events(0.5);
        while (next_damage(&stamp)) {
            const double previous_event = last_event;
            last_event = now_ms();
            if (last_event - previous_event <= 1.0) continue;
            /* The first frame's gap, to itself, is 0 and sets neither bound. */
            if (frames == 0) first_frame = previous_frame = stamp;
            const double gap = stamp_gap(stamp, previous_frame);
            if (frames == 1 || gap < shortest) shortest = gap;
            if (gap > longest) longest = gap;
            previous_frame = stamp;
            ++frames;
        }
    }
    const double mean = frames > 1 ? stamp_gap(previous_frame, first_frame) / (frames - 1) : 0;
    printf("frames %d mean_ms %.3f min_ms %.0f max_ms %.0f\n", frames, mean, shortest, longest);
    return 0;
}

/* Whether every pixel of the Wine desktop has this colour (0xRRGGBB). The
   desktop is the largest mapped window under the root (the X screen is
   larger than the desktop, so that the desktop can grow); the whole screen
   when there is none. */
static int screen_is(unsigned long colour) {
    const int screen_width = DisplayWidth(display, DefaultScreen(display));
    const int screen_height = DisplayHeight(display, DefaultScreen(display));
    int left = 0, top = 0, width = 0, height = 0;
    Window root = DefaultRootWindow(display), parent, *children = NULL;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) count = 0;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable) continue;
        if ((long)a.width * a.height <= (long)width * height) continue;
        left = a.x, top = a.y, width = a.width, height = a.height;
    }
    if (children) XFree(children);
    /* XGetImage fails on an area that leaves the screen. */
    if (left < 0) width += left, left = 0;
    if (top < 0) height += top, top = 0;
    if (left + width > screen_width) width = screen_width - left;
    if (top + height > screen_height) height = screen_height - top;
    if (width <= 0 || height <= 0)
        left = top = 0, width = screen_width, height = screen_height;
    XImage *image = XGetImage(display, DefaultRootWindow(display), left, top, width, height, AllPlanes, ZPixmap);
    if (!image) return 0;
    int same = 1;
    for (int y = 0; y < height && same; ++y)
        for (int x = 0; x < width && same; ++x) same = (XGetPixel(image, x, y) & 0xFFFFFF) == colour;
    XDestroyImage(image);
    return same;
}

/* A server time as Unix time in nanoseconds, in the middle of its millisecond. */
static long long stamp_to_unix_ns(Time stamp) {
    struct timespec mono;
    clock_gettime(CLOCK_MONOTONIC, &mono);
    const unsigned long now_ms = (unsigned long)((mono.tv_sec * 1000ULL + mono.tv_nsec / 1000000) & 0xFFFFFFFFUL);
    const double ago_ms = (double)((now_ms - stamp) & 0xFFFFFFFFUL) - 0.5;
    return unix_ns() - (long long)(ago_ms * 1e6) - mono.tv_nsec % 1000000;
}

static int first_frame(unsigned long colour, double seconds, const char *ready) {
    open_watch();
    FILE *mark = fopen(ready, "w");
    if (!mark) {
        fprintf(stderr, "xframes: cannot write %s\n", ready);
        return 1;
    }
    fclose(mark);

    /* After every burst (1 ms without damage, confirmed by a round trip) the
       whole screen is read back; the answer is the time of the burst's last
       event. A burst that went on during the read is looked at again. */
    const double end = now_ms() + seconds * 1000.0;
    int pending_burst = 0;
    while (now_ms() < end) {
        wait_events(1.0);
        if (drain_damage()) {
            pending_burst = 1;
            continue;
        }
        if (!pending_burst) continue;
        XSync(display, False);
        if (drain_damage()) continue;
        const int same = screen_is(colour);
        if (drain_damage()) continue;
        if (same) {
            printf("first_frame_unix_ns %lld\n", stamp_to_unix_ns(last_stamp));
            return 0;
        }
        pending_burst = 0;
    }
    printf("none\n");
    return 0;
}

int main(int argc, char **argv) {
    if (argc == 2) return count_frames(atof(argv[1]));
    if (argc == 5 && strcmp(argv[1], "--first") == 0)
        return first_frame(strtoul(argv[2], NULL, 16), atof(argv[3]), argv[4]);
    fprintf(stderr, "usage: xframes SECONDS | xframes --first RRGGBB TIMEOUT_SECONDS READY_FILE\n");
    return 2;
}
