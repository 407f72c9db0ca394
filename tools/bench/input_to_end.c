/* Sends one real input through the X server and times how long the running
   saver takes to end, all on the host's clock:
     input_to_end PID KIND [WAIT_MS]
   PID is the saver's on the host (sample --pid finds it); KIND is
   key:KEYSYM (e.g. key:a, key:Escape), button:N, move:PIXELS, or none (only
   watch for the end). The end is seen through a pidfd, which becomes
   readable the moment the process is gone.
   Prints "ended MS unix_ns T" (MS from the input being sent to the end, T
   the end on CLOCK_REALTIME) or "unseen" when the process still runs after
   WAIT_MS (default 1000). A key or button is released afterwards either
   way. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "host_time.h"

int main(int argc, char **argv) {
    if (argc < 3 || argc > 4) {
        fprintf(stderr, "usage: input_to_end PID key:KEYSYM|button:N|move:PIXELS|none [WAIT_MS]\n");
        return 2;
    }
    const pid_t saver = (pid_t)atoi(argv[1]);
    const char *kind = argv[2];
    const int wait_ms = argc == 4 ? atoi(argv[3]) : 1000;
    if (saver <= 0) {
        fprintf(stderr, "input_to_end: no single running process of this bed to watch\n");
        return 1;
    }
    const int ended = (int)syscall(SYS_pidfd_open, saver, 0);
    Display *display = XOpenDisplay(NULL);
    int event_base, error_base, major, minor;
    if (ended < 0 || !display || !XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
        fprintf(stderr, "input_to_end: no pidfd, display or XTEST\n");
        return 1;
    }

    /* Everything that can be looked up is looked up before the clock starts. */
    const int keys = strncmp(kind, "key:", 4) == 0, clicks = strncmp(kind, "button:", 7) == 0;
    const int moves = strncmp(kind, "move:", 5) == 0, none = strcmp(kind, "none") == 0;
    const unsigned int keycode = keys ? XKeysymToKeycode(display, XStringToKeysym(kind + 4)) : 0;
    const unsigned int button = clicks ? (unsigned)atoi(kind + 7) : 0;
    int move_x = 0, move_y = 0;
    if (moves) {
        const int distance = atoi(kind + 5);
        Window ignored;
        int window_x, window_y;
        unsigned mask;
        XQueryPointer(display, DefaultRootWindow(display), &ignored, &ignored, &move_x, &move_y, &window_x, &window_y,
                      &mask);
        move_x += move_x + distance < DisplayWidth(display, DefaultScreen(display)) ? distance : -distance;
    }
    if ((keys && !keycode) || (clicks && !button) || !(keys || clicks || moves || none)) {
        fprintf(stderr, "input_to_end: cannot make %s\n", kind);
        return 2;
    }

    const double sent = now_ms();
    if (keycode) XTestFakeKeyEvent(display, keycode, True, CurrentTime);
    if (button) XTestFakeButtonEvent(display, button, True, CurrentTime);
    if (moves) XTestFakeMotionEvent(display, DefaultScreen(display), move_x, move_y, CurrentTime);
    XFlush(display);

    struct pollfd gone = {ended, POLLIN, 0};
    const int seen = poll(&gone, 1, wait_ms) == 1;
    const double end = now_ms();
    const long long end_unix = unix_ns();

    if (keycode) XTestFakeKeyEvent(display, keycode, False, CurrentTime);
    if (button) XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    if (seen)
        printf("ended %.3f unix_ns %lld\n", end - sent, end_unix);
    else
        printf("unseen\n");
    return 0;
}
