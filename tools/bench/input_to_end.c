/* Sends one real input through the X server and times how long the running
   saver takes to end, all on the host's clock:
     input_to_end [--process NAME] KIND [WAIT_MS]
   KIND is key:KEYSYM (e.g. key:a, key:Escape), button:N, move:PIXELS, or
   none (only watch for the end).
   The saver is the process of this test bed (TESTBED_TOKEN in its
   environment) whose program is pok_v3.scr, or NAME; its end is seen
   through a pidfd, which becomes readable the moment the process is gone.
   Prints "ended MS unix_ns T" (MS from the input being sent to the end, T
   the end on CLOCK_REALTIME) or "unseen" when the process still runs after
   WAIT_MS (default 1000). A key or button is released afterwards either
   way. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <dirent.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "host_time.h"

/* The whole of a /proc file whose entries are separated by NULs. */
static size_t read_proc(const char *pid, const char *name, char *buffer, size_t size) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%s/%s", pid, name);
    FILE *file = fopen(path, "rb");
    if (!file) return 0;
    const size_t got = fread(buffer, 1, size - 1, file);
    fclose(file);
    buffer[got] = '\0';
    return got;
}

static int holds_entry(const char *buffer, size_t length, const char *entry) {
    for (size_t at = 0; at < length; at += strlen(buffer + at) + 1)
        if (strcmp(buffer + at, entry) == 0) return 1;
    return 0;
}

/* The one process of this bed whose program (the first word of its command
   line, so not this tool nor its shell) names name; 0 if there is none or
   more than one. */
static pid_t find_process(const char *name) {
    const char *token = getenv("TESTBED_TOKEN");
    if (!token) return 0;
    char wanted[256];
    snprintf(wanted, sizeof wanted, "TESTBED_TOKEN=%s", token);
    static char buffer[1 << 16];
    DIR *proc = opendir("/proc");
    pid_t found = 0;
    int count = 0;
    for (struct dirent *entry; proc && (entry = readdir(proc));) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
        size_t length = read_proc(entry->d_name, "cmdline", buffer, sizeof buffer);
        if (!length || !strstr(buffer, name)) continue;  /* up to the first NUL: argv[0] */
        length = read_proc(entry->d_name, "environ", buffer, sizeof buffer);
        if (!length || !holds_entry(buffer, length, wanted)) continue;
        found = (pid_t)atoi(entry->d_name);
        ++count;
    }
    if (proc) closedir(proc);
    return count == 1 ? found : 0;
}

int main(int argc, char **argv) {
    const char *name = "pok_v3.scr";
    if (argc >= 3 && strcmp(argv[1], "--process") == 0) {
        name = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: input_to_end [--process NAME] key:KEYSYM|button:N|move:PIXELS|none [WAIT_MS]\n");
        return 2;
    }
    const char *kind = argv[1];
    const int wait_ms = argc == 3 ? atoi(argv[2]) : 1000;
    const pid_t saver = find_process(name);
    if (!saver) {
        fprintf(stderr, "input_to_end: no single running %s of this bed\n", name);
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
        Window root_return, child;
        int root_x = 0, root_y = 0, wx, wy;
        unsigned mask;
        XQueryPointer(display, DefaultRootWindow(display), &root_return, &child, &root_x, &root_y, &wx, &wy, &mask);
        const int width = DisplayWidth(display, DefaultScreen(display));
        move_x = root_x + distance < width ? root_x + distance : root_x - distance;
        move_y = root_y;
    }
    if ((keys && !keycode) || (clicks && !button) || !(keys || clicks || moves || none)) {
        fprintf(stderr, "input_to_end: cannot make %s\n", kind);
        return 2;
    }

    const double sent = now_ms();
    if (keycode)
        XTestFakeKeyEvent(display, keycode, True, CurrentTime);
    else if (button)
        XTestFakeButtonEvent(display, button, True, CurrentTime);
    else if (moves)
        XTestFakeMotionEvent(display, DefaultScreen(display), move_x, move_y, CurrentTime);
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
