// Starts a program on the X display and waits, from outside, for its window
// to be first exposed; reports the time from the fork to that event and the
// process's peak resident memory. Rounds alternate the program and the floor,
// each going first in turn, so that both see the same machine. With --under
// RUNNER (wine) both run under it and only the start-up is reported.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "stats.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double ms = 0;
    double rssMiB = 0;
    int width = 0;
    int height = 0;
};

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> own(T* reply) {
    return Reply<T>(reply, &std::free);
}

class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_)) throw std::runtime_error("cannot open DISPLAY");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        // Every top-level window that any client creates is announced here.
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        const char name[] = "_NET_WM_PID";
        auto atom = own(xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr));
        if (!atom) throw std::runtime_error("cannot intern _NET_WM_PID");
        netWmPid_ = atom->atom;
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    Sample launch(const std::vector<std::string>& command, int settleMs) {
        drain();
        std::vector<char*> argv;
        for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);

        const auto start = Clock::now();
        const pid_t pid = fork();
        if (pid < 0) throw std::runtime_error("fork failed");
        if (pid == 0) {
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            execv(argv[0], argv.data());
            _exit(127);
        }

        Sample sample;
        xcb_window_t window = XCB_NONE;
        const auto exposedAt = waitForExposure(pid, start, window);
        sample.ms = std::chrono::duration<double, std::milli>(exposedAt - start).count();
        if (auto geometry = own(xcb_get_geometry_reply(
                connection_, xcb_get_geometry(connection_, window), nullptr))) {
            sample.width = geometry->width;
            sample.height = geometry->height;
        }

        // The first paint follows the exposure; let it finish before the peak is read.
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        // A program that takes its time over SIGTERM is killed after 5 s.
        for (int waited = 0; wait4(pid, &status, WNOHANG, &usage) == 0; ++waited) {
            if (waited == 500) kill(pid, SIGKILL);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        sample.rssMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
        drain();
        return sample;
    }

    int lateSelections = 0;

private:
    void drain() {
        xcb_flush(connection_);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
    }

    bool ownedBy(xcb_window_t window, pid_t pid) {
        auto property = own(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (!property || xcb_get_property_value_length(property.get()) < 4) return false;
        std::uint32_t value;
        std::memcpy(&value, xcb_get_property_value(property.get()), sizeof value);
        return value == static_cast<std::uint32_t>(pid);
    }

    // Asks for the window's Expose events; true when it was already mapped,
    // which means its first Expose may have gone by unseen.
    bool watch(xcb_window_t window) {
        const std::uint32_t mask = XCB_EVENT_MASK_EXPOSURE;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
        auto attributes = own(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    }

    Clock::time_point waitForExposure(pid_t pid, Clock::time_point start, xcb_window_t& window) {
        const auto deadline = start + std::chrono::seconds(30);
        std::set<xcb_window_t> created;
        pollfd socket{xcb_get_file_descriptor(connection_), POLLIN, 0};
        for (;;) {
            xcb_generic_event_t* event = xcb_poll_for_event(connection_);
            if (!event) {
                if (xcb_connection_has_error(connection_))
                    throw std::runtime_error("lost the X connection");
                int status;
                if (waitpid(pid, &status, WNOHANG) == pid)
                    throw std::runtime_error("the program ended before showing a window");
                if (Clock::now() > deadline) {
                    kill(pid, SIGKILL);
                    waitpid(pid, &status, 0);
                    throw std::runtime_error("no window was exposed within 30 s");
                }
                poll(&socket, 1, 100);
                continue;
            }
            const auto now = Clock::now();
            const auto type = event->response_type & 0x7f;
            xcb_window_t exposed = XCB_NONE;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created_event = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (created_event->parent == root_) {
                    created.insert(created_event->window);
                    if (watch(created_event->window)) {
                        ++lateSelections;
                        exposed = created_event->window;
                    }
                }
            } else if (type == XCB_EXPOSE) {
                exposed = reinterpret_cast<xcb_expose_event_t*>(event)->window;
            }
            std::free(event);
            if (exposed != XCB_NONE && created.count(exposed) && ownedBy(exposed, pid)) {
                window = exposed;
                return now;
            }
        }
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t netWmPid_;
};

int usage() {
    std::fprintf(
        stderr,
        "usage: quillop_bench_startup [--rounds N] [--settle-ms N] [--under RUNNER] PROGRAM FLOOR "
        "[FLOOR-ARG]\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    int rounds = 15;
    int settleMs = 250;
    std::vector<std::string> positional, runner;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--rounds" || arg == "--settle-ms") && i + 1 < argc)
            (arg == "--rounds" ? rounds : settleMs) = std::atoi(argv[++i]);
        else if (arg == "--under" && i + 1 < argc)
            runner = {argv[++i]};
        else if (arg.rfind("--", 0) == 0)
            return usage();
        else
            positional.push_back(arg);
    }
    if (positional.size() < 2 || positional.size() > 3 || rounds < 1) return usage();

    try {
        Display display;
        // The warm-up runs fill the file cache, and the program's own run
        // gives the floor its size.
        std::vector<std::string> program = runner;
        program.push_back(positional[0]);
        const Sample first = display.launch(program, settleMs);
        std::vector<std::string> floor = runner;
        floor.push_back(positional[1]);
        floor.push_back(std::to_string(first.width) + "x" + std::to_string(first.height));
        if (positional.size() > 2) floor.push_back(positional[2]);
        display.launch(floor, settleMs);

        std::vector<double> programMs, floorMs, programRss, floorRss;
        for (int round = 0; round < rounds; ++round) {
            Sample a, b;
            if (round % 2 == 0) {
                a = display.launch(program, settleMs);
                b = display.launch(floor, settleMs);
            } else {
                b = display.launch(floor, settleMs);
                a = display.launch(program, settleMs);
            }
            programMs.push_back(a.ms);
            floorMs.push_back(b.ms);
            programRss.push_back(a.rssMiB);
            floorRss.push_back(b.rssMiB);
        }
        std::fprintf(stderr, "start-up: window %dx%d, %d rounds, %d late selections\n", first.width,
                     first.height, rounds, display.lateSelections);

        // A floor given an argument is a variant: its rows are told apart.
        const std::string variant = positional.size() > 2 ? positional[2] : "";
        const std::string key = variant.empty() ? "" : "_" + variant;
        const std::string against = variant.empty() ? "" : ", against the floor with " + variant;
        using quillop::bench::printRow;
        if (!runner.empty()) {
            printRow("win_startup" + key, "Windows: start-up to window exposed (ms)" + against,
                     programMs, floorMs, "ratio <= 1.15");
            return 0;
        }
        printRow("startup" + key, "start-up to window exposed (ms)" + against, programMs, floorMs,
                 "ratio <= 1.15");
        printRow("rss" + key, "peak resident memory (MiB)" + against, programRss, floorRss,
                 "ratio <= 1.15");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillop_bench_startup: %s\n", error.what());
        return 1;
    }
    return 0;
}
