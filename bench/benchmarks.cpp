// Google Benchmark's timing of the generators from the secure source against
// one getrandom call per password, and of Generate in running windows: from
// the click on Generate until the symbolic field shows new symbols, seen from
// outside through the X server. Each window is given as NAME=WINDOW:BORDER,
// BORDER being the frame's width around the client area (wine draws one).
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

void numeric(benchmark::State& state) {
    quillop::SystemRandom random;
    for (auto _ : state) benchmark::DoNotOptimize(quillop::numericPassword(random, 1'000'000'000));
}

void symbolic(benchmark::State& state) {
    quillop::SystemRandom random;
    const auto length = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(quillop::symbolicPassword(random, length));
}

// A password's words, one system call for each password.
void getrandomFloor(benchmark::State& state) {
    std::uint64_t words[8];
    for (auto _ : state) benchmark::DoNotOptimize(getrandom(words, 8 * state.range(0), 0));
}

BENCHMARK(numeric);
BENCHMARK(symbolic)->Arg(6)->Arg(8);
BENCHMARK(getrandomFloor)->Arg(1)->Arg(6)->Arg(8);

xcb_connection_t* x = nullptr;
std::uint8_t damageEvent = 0;

// The window's client area is 297 x 179 pixels at the bottom of the window,
// inside the border; Generate and the symbolic field sit where the layout
// puts them at 96 DPI.
struct Window {
    xcb_window_t id;
    int left, top;  // of the client area, in the window
    std::int16_t rootX, rootY;
};

Window find(xcb_window_t id, int border) {
    auto* geometry = xcb_get_geometry_reply(x, xcb_get_geometry(x, id), nullptr);
    auto* root = xcb_translate_coordinates_reply(
        x, xcb_translate_coordinates(x, id, geometry->root, 0, 0), nullptr);
    Window window{id, border, geometry->height - border - 179, root->dst_x, root->dst_y};
    std::free(root);
    std::free(geometry);
    return window;
}

// Pixels across the middle of the symbolic field, where its text runs.
std::vector<std::uint8_t> fieldStrip(const Window& w) {
    auto* image = xcb_get_image_reply(
        x,
        xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, w.id, std::int16_t(w.left + 12),
                      std::int16_t(w.top + 83), 126, 13, ~0u),
        nullptr);
    if (!image) return {};
    const std::uint8_t* data = xcb_get_image_data(image);
    std::vector<std::uint8_t> pixels(data, data + xcb_get_image_data_length(image));
    std::free(image);
    return pixels;
}

bool blank(const std::vector<std::uint8_t>& pixels) {
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (i % 4 != 3 && pixels[i] != pixels[i % 4]) return false;
    return true;
}

void click(const Window& w, int x0, int y0) {
    const auto rx = std::int16_t(w.rootX + w.left + x0), ry = std::int16_t(w.rootY + w.top + y0);
    xcb_test_fake_input(x, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, XCB_NONE, rx, ry, 0);
    xcb_test_fake_input(x, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(x, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(x);
}

void generate(benchmark::State& state, Window w) {
    const xcb_damage_damage_t damage = xcb_generate_id(x);
    xcb_damage_create(x, damage, w.id, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    auto shown = fieldStrip(w);
    int clicks = 0;
    for (auto _ : state) {
        // Two points far enough apart that no two clicks make a double click.
        click(w, 204 + 8 * (clicks++ % 2), 36);
        for (auto previous = shown; shown == previous || blank(shown);) {
            xcb_generic_event_t* event = xcb_wait_for_event(x);
            if (!event) return state.SkipWithError("lost the X connection");
            if (event->response_type == damageEvent) {
                xcb_damage_subtract(x, damage, XCB_NONE, XCB_NONE);
                shown = fieldStrip(w);
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
        std::free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
        const auto* extension = xcb_get_extension_data(x, &xcb_damage_id);
        if (xcb_connection_has_error(x) || !extension->present) return 1;
        damageEvent = extension->first_event + XCB_DAMAGE_NOTIFY;
        alarm(600);  // a field that never fills ends the run
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto equals = arg.find('='), colon = arg.find(':');
        const auto id = xcb_window_t(std::stoul(arg.substr(equals + 1), nullptr, 0));
        const Window window = find(id, std::stoi(arg.substr(colon + 1)));
        benchmark::RegisterBenchmark(("generate/" + arg.substr(0, equals)).c_str(), generate,
                                     window)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
