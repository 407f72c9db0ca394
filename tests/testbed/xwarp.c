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
    int relative = argv[1][0] == '+' || argv[1][0] == '-';
    int x = atoi(argv[1]), y = atoi(argv[2]);
    Window root = DefaultRootWindow(display);
    if (relative)
        XWarpPointer(display, None, None, 0, 0, 0, 0, x, y);
    else
        XWarpPointer(display, None, root, 0, 0, 0, 0, x, y);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
