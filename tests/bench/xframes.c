/* Counts the frames that reach the X screen: every drawing into the root
   window or below it raises a DAMAGE event, and one presented frame of the
   saver is one burst of them.
     xframes SECONDS     prints: frames N period_ms P min_ms A max_ms B
   The DAMAGE declarations are written out here: only the library itself is
   needed, not its development package. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <time.h>

typedef XID Damage;
typedef struct {
    int type;
    unsigned long serial;
    Bool send_event;
    Display *display;
    Drawable drawable;
    Damage damage;
    int level;
    Bool more;
    Time timestamp;
    XRectangle area;
    XRectangle geometry;
} XDamageNotifyEvent;
enum { XDamageReportRawRectangles = 0, XDamageNotify = 0 };
Bool XDamageQueryExtension(Display *dpy, int *event_base, int *error_base);
Damage XDamageCreate(Display *dpy, Drawable drawable, int level);

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: xframes SECONDS\n");
        return 2;
    }
    const double span = atof(argv[1]) * 1000.0;
    Display *display = XOpenDisplay(NULL);
    int event_base, error_base;
    if (!display || !XDamageQueryExtension(display, &event_base, &error_base)) {
        fprintf(stderr, "xframes: no display or no DAMAGE extension\n");
        return 1;
    }
    const int width = DisplayWidth(display, DefaultScreen(display));
    XDamageCreate(display, DefaultRootWindow(display), XDamageReportRawRectangles);
    XSync(display, False);

    /* A frame is a burst of rectangles covering at least half the screen's
       width; bursts are separated by a quiet gap of more than 1 ms. */
    const double start = now_ms();
    double last_event = -1e9, burst_start = 0, first_frame = -1, last_frame = -1;
    double shortest = 1e9, longest = 0, previous_frame = -1;
    int frames = 0, burst_width = 0;
    const int fd = ConnectionNumber(display);
    for (;;) {
        double t = now_ms();
        if (t - start >= span) break;
        if (!XPending(display)) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(fd, &readable);
            struct timeval wait = {0, 500};
            select(fd + 1, &readable, NULL, NULL, &wait);
        }
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != event_base + XDamageNotify) continue;
            const XDamageNotifyEvent *damage = (const XDamageNotifyEvent *)&event;
            t = now_ms();
            if (t - last_event > 1.0) {
                burst_start = t;
                burst_width = 0;
            }
            last_event = t;
            if (damage->area.width > burst_width) {
                const int was_frame = burst_width * 2 >= width;
                burst_width = damage->area.width;
                if (!was_frame && burst_width * 2 >= width) {
                    if (previous_frame >= 0) {
                        const double gap = burst_start - previous_frame;
                        if (gap < shortest) shortest = gap;
                        if (gap > longest) longest = gap;
                    }
                    if (first_frame < 0) first_frame = burst_start;
                    previous_frame = last_frame = burst_start;
                    ++frames;
                }
            }
        }
    }
    const double period = frames > 1 ? (last_frame - first_frame) / (frames - 1) : 0;
    printf("frames %d period_ms %.2f min_ms %.2f max_ms %.2f\n", frames, period,
           frames > 1 ? shortest : 0, longest);
    XCloseDisplay(display);
    return 0;
}
