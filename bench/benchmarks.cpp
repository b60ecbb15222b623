// Google Benchmark's timing of the generators from the secure source against
// one getrandom call per password, and of Generate in running windows: from
// the click on Generate until the symbolic field shows new symbols, seen from
// outside through the X server. Each window is given as NAME=WINDOW:BORDER.
#include <benchmark/benchmark.h>
#include <sys/random.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "generators.h"
#include "system_random.h"

namespace {

// The Both kind's passwords: a number below 10^9 and 8 symbols.
void numeric(benchmark::State& state) {
    quillop::SystemRandom random;
    for (auto _ : state) benchmark::DoNotOptimize(quillop::numericPassword(random, 1'000'000'000));
}
void symbolic(benchmark::State& state) {
    quillop::SystemRandom random;
    for (auto _ : state) benchmark::DoNotOptimize(quillop::symbolicPassword(random, 8));
}

// The same words, one system call for each password.
void getrandomFloor(benchmark::State& state) {
    std::uint64_t words[8];
    for (auto _ : state) benchmark::DoNotOptimize(getrandom(words, 8 * state.range(0), 0));
}

BENCHMARK(numeric);
BENCHMARK(symbolic);
BENCHMARK(getrandomFloor)->Arg(1)->Arg(8);

xcb_connection_t* x = nullptr;
std::uint8_t damageNotify = 0;

// The client area, 297 x 179 pixels at the window's bottom inside BORDER
// pixels of frame: Generate and the symbolic field sit where the layout puts
// them at 96 DPI.
struct Client {
    xcb_window_t window;
    int left, top;
};

// Pixels across the symbolic field's text.
std::vector<std::uint8_t> field(const Client& c) {
    const auto request = xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, c.window, c.left + 12,
                                       c.top + 83, 126, 13, ~0u);
    auto* image = xcb_get_image_reply(x, request, nullptr);
    std::vector<std::uint8_t> pixels;
    if (image) pixels.assign(xcb_get_image_data(image), xcb_get_image_data(image) + 126 * 13 * 4);
    std::free(image);
    return pixels;
}

bool blank(const std::vector<std::uint8_t>& pixels) {
    for (std::size_t i = 4; i < pixels.size(); ++i)
        if (i % 4 != 3 && pixels[i] != pixels[i % 4]) return false;
    return true;
}

void generate(benchmark::State& state, Client c) {
    const xcb_damage_damage_t damage = xcb_generate_id(x);
    xcb_damage_create(x, damage, c.window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    auto shown = field(c);
    int clicks = 0;
    for (auto _ : state) {
        // Two points far enough apart that no two clicks make a double click.
        const int left = c.left + 204 + 8 * (clicks++ % 2);
        xcb_warp_pointer(x, XCB_NONE, c.window, 0, 0, 0, 0, left, c.top + 36);
        xcb_test_fake_input(x, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(x, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(x);
        for (auto before = shown; shown == before || blank(shown);) {
            xcb_generic_event_t* event = xcb_wait_for_event(x);
            if (!event) return state.SkipWithError("lost the X connection");
            if (event->response_type == damageNotify) {
                xcb_damage_subtract(x, damage, XCB_NONE, XCB_NONE);
                shown = field(c);
            }
            std::free(event);
        }
    }
    xcb_damage_destroy(x, damage);
}

}  // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        x = xcb_connect(nullptr, nullptr);
        // Xvfb refuses a connection now and then when another has just closed.
        for (int tries = 0; xcb_connection_has_error(x) && tries < 50; ++tries, usleep(10'000))
            xcb_disconnect(x), x = xcb_connect(nullptr, nullptr);
        std::free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
        const auto* extension = xcb_get_extension_data(x, &xcb_damage_id);
        if (xcb_connection_has_error(x) || !extension || !extension->present) return 1;
        damageNotify = extension->first_event + XCB_DAMAGE_NOTIFY;
        alarm(600);  // a field that never fills ends the run
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto equals = arg.find('=');
        const auto window = xcb_window_t(std::stoul(arg.substr(equals + 1), nullptr, 16));
        const int border = std::stoi(arg.substr(arg.find(':') + 1));
        auto* geometry = xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
        const Client c{window, border, geometry->height - border - 179};
        std::free(geometry);
        benchmark::RegisterBenchmark(("generate/" + arg.substr(0, equals)).c_str(), generate, c)
            ->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
