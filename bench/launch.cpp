// Starts a program and ends it as soon as its first top-level window is mapped
// on the X display, so that a process timer around this launcher times the
// program's start-up. With --settle MS the program first gets that long after
// the map (its first paint), so that its peak resident memory includes it.
// With --keep the program is left running, and its process and window printed.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    int settleMs = 0, first = 1;
    const bool keep = argc > 1 && std::strcmp(argv[1], "--keep") == 0;
    if (keep) {
        first = 2;
    } else if (argc > 2 && std::strcmp(argv[1], "--settle") == 0) {
        settleMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: quillop_launch [--settle MS | --keep] PROGRAM [ARG...]\n");
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) return 1;
    // Every top-level window mapped on the display is announced here; the
    // round trip makes sure of it before the program starts.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    alarm(60);  // a program that shows no window ends the launcher
    const pid_t pid = fork();
    if (pid == 0) {
        if (keep) setsid();  // not ended with the launcher's terminal or group
        execvp(argv[first], argv + first);
        _exit(127);
    }
    xcb_window_t window = XCB_NONE;
    while (window == XCB_NONE) {
        xcb_generic_event_t* event = xcb_wait_for_event(x);
        if (!event) return 1;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
            window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        std::free(event);
    }
    if (keep) return std::printf("%d 0x%x\n", pid, window) < 0;
    if (settleMs > 0) usleep(settleMs * 1000);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 0;
}
