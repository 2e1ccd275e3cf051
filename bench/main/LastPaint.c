/* Prints when a window was last painted: the time (milliseconds since the epoch) of the last damage
 * event of WINDOW after which none came for QUIET milliseconds. Prints "armed" once it listens; only
 * damage after the line "go" on standard input counts, so the caller says "go" just before its input.
 *   AmbLastPaint WINDOW QUIET */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/time.h>
#include <unistd.h>

static long long NowMs(void) {
    struct timeval tv;
    gettimeofday(&tv, NULL);
    return (long long)tv.tv_sec * 1000 + tv.tv_usec / 1000;
}

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    Display* display = XOpenDisplay(NULL);
    int eventBase = 0, errorBase = 0;
    if (!display || !XDamageQueryExtension(display, &eventBase, &errorBase))
        return 1;
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const int quiet = atoi(argv[2]);
    const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    XSync(display, False);
    printf("armed\n");
    fflush(stdout);
    long long last = 0;
    int going = 0;
    const long long giveUp = NowMs() + 60000;
    struct pollfd fds[2] = {{.fd = ConnectionNumber(display), .events = POLLIN}, {.fd = 0, .events = POLLIN}};
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == eventBase + XDamageNotify) {
                if (going)
                    last = NowMs();
                XDamageSubtract(display, damage, None, None);
            }
        }
        if (poll(fds, going ? 1 : 2, quiet) == 0 && (last != 0 || NowMs() > giveUp))
            break;
        if (!going && (fds[1].revents & POLLIN)) {
            char line[16] = {0};
            going = read(0, line, sizeof line - 1) > 0 && strncmp(line, "go", 2) == 0;
        }
    }
    printf("%lld\n", last);
    XCloseDisplay(display);
    return 0;
}
