/* Moves the X pointer: xdotool's mousemove does not reach Xvfb here, a plain
   XWarpPointer does.   xwarp X Y     to a root-window position
                        xwarp +DX +DY by an offset (signs required) */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: xwarp X Y | xwarp +DX +DY\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xwarp: cannot open display\n");
        return 1;
    }
    /* No destination window moves by the offset; the root window places. */
    const int relative = argv[1][0] == '+' || argv[1][0] == '-';
    XWarpPointer(display, None, relative ? None : DefaultRootWindow(display), 0, 0, 0, 0, atoi(argv[1]), atoi(argv[2]));
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
