/* launch_watch: starts a program and watches it from outside, through the X
 * server, for bench/measure-windows.sh.
 *
 *   launch_watch TITLE SETTLE_MS IDLE_MS -- PROGRAM ARGS...
 *
 * Times exec -> the map of a top-level window with exactly this title; waits
 * SETTLE_MS; reads the started process's resident memory; counts its threads'
 * context switches over IDLE_MS; then asks the window to close
 * (WM_DELETE_WINDOW), as a window manager's close button does, and waits for
 * the process. Prints one line:
 *   map_ms=… resident_kib=… idle_switches=… exit=…
 * Needs a display and no window manager (nothing else must map the window).
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Voluntary and involuntary context switches of all the process's threads. */
static long contextSwitches(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    if (tasks == NULL) return -1;
    long total = 0;
    struct dirent* task;
    while ((task = readdir(tasks)) != NULL) {
        if (task->d_name[0] == '.') continue;
        char file[320], line[256];
        snprintf(file, sizeof file, "%s/%s/status", path, task->d_name);
        FILE* status = fopen(file, "r");
        if (status == NULL) continue;
        long n;
        while (fgets(line, sizeof line, status) != NULL) {
            if (sscanf(line, "voluntary_ctxt_switches: %ld", &n) == 1 ||
                sscanf(line, "nonvoluntary_ctxt_switches: %ld", &n) == 1) {
                total += n;
            }
        }
        fclose(status);
    }
    closedir(tasks);
    return total;
}

static long residentKib(pid_t pid) {
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = fopen(path, "r");
    if (status == NULL) return -1;
    while (fgets(line, sizeof line, status) != NULL) {
        if (sscanf(line, "VmRSS: %ld", &kib) == 1) break;
    }
    fclose(status);
    return kib;
}

static int titled(Display* display, Window window, const char* title) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* name = NULL;
    int same = 0;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024,
                           False, XInternAtom(display, "UTF8_STRING", False), &type, &format,
                           &count, &after, &name) == Success &&
        name != NULL) {
        same = strcmp((const char*)name, title) == 0;
        XFree(name);
    }
    return same;
}

int main(int argc, char** argv) {
    if (argc < 6 || strcmp(argv[4], "--") != 0) {
        fprintf(stderr, "usage: %s TITLE SETTLE_MS IDLE_MS -- PROGRAM ARGS...\n", argv[0]);
        return 2;
    }
    const char* title = argv[1];
    const int settleMs = atoi(argv[2]);
    const int idleMs = atoi(argv[3]);
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "launch_watch: no display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[5], argv + 5);
        _exit(127);
    }
    Window window = 0;
    double mappedMs = -1;
    struct pollfd x = {ConnectionNumber(display), POLLIN, 0};
    while (window == 0) {
        while (XPending(display) && window == 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && titled(display, event.xmap.window, title)) {
                mappedMs = nowMs() - start;
                window = event.xmap.window;
            }
        }
        int status;
        if (window == 0 && (nowMs() - start > 30000 || waitpid(child, &status, WNOHANG) == child)) {
            fprintf(stderr, "launch_watch: no window titled %s\n", title);
            kill(child, SIGKILL);
            return 1;
        }
        poll(&x, 1, 20);
    }

    usleep(settleMs * 1000);
    const long resident = residentKib(child);
    const long switchesBefore = contextSwitches(child);
    usleep(idleMs * 1000);
    const long idleSwitches = contextSwitches(child) - switchesBefore;

    XEvent close;
    memset(&close, 0, sizeof close);
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = XInternAtom(display, "WM_DELETE_WINDOW", False);
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &close);
    XFlush(display);
    int status = 0;
    const double deadline = nowMs() + 10000;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (nowMs() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        usleep(10000);
    }
    printf("map_ms=%.1f resident_kib=%ld idle_switches=%ld exit=%d\n", mappedMs, resident,
           idleSwitches, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 0;
}
