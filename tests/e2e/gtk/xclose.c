/* Asks an X window to close the way a window manager does when its close box is clicked: a
 * WM_PROTOCOLS client message carrying WM_DELETE_WINDOW. No window manager is needed.
 *   xclose WINDOW-ID */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: xclose WINDOW-ID\n");
        return 2;
    }
    char* end = NULL;
    const unsigned long id = strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0') {
        fprintf(stderr, "xclose: not a window id: %s\n", argv[1]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "xclose: cannot open the display\n");
        return 1;
    }
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = (Window)id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, (Window)id, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
