/* Starts a program and prints, in milliseconds, how long it took until the first window was
 * mapped on the X display; then ends the program. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Milliseconds(const struct timespec* from, const struct timespec* to) {
    return (double)(to->tv_sec - from->tv_sec) * 1e3 + (double)(to->tv_nsec - from->tv_nsec) / 1e6;
}

int main(int argc, char* argv[]) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s program [arguments...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    alarm(30);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            struct timespec mapped;
            clock_gettime(CLOCK_MONOTONIC, &mapped);
            printf("%.1f\n", Milliseconds(&start, &mapped));
            break;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    return 0;
}
