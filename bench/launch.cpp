// Starts a program and, as soon as its first top-level window is mapped on the
// X display, ends it, so that a process timer around this launcher times the
// program's start-up. With --keep the program is left running, and its
// process and window are printed.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    const bool keep = argc > 1 && std::strcmp(argv[1], "--keep") == 0;
    char** command = argv + 1 + keep;
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    // Xvfb refuses a connection now and then when another has just closed.
    for (int tries = 0; xcb_connection_has_error(x) && tries < 50; ++tries, usleep(10'000))
        xcb_disconnect(x), x = xcb_connect(nullptr, nullptr);
    if (!*command || xcb_connection_has_error(x)) return 2;
    // Every top-level window mapped on the display is announced here; the
    // round trip makes sure of it before the program starts.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    alarm(60);  // a program that shows no window ends the launcher
    const pid_t pid = fork();
    if (pid == 0) {
        if (keep) setsid();  // not ended with the launcher's session
        execvp(command[0], command);
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
    kill(pid, SIGKILL);
    return waitpid(pid, nullptr, 0) != pid;
}
