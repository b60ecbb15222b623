#include "scale.h"

#include <gtest/gtest.h>

#include <array>

namespace quillop::ui {
namespace {

// Each row: DPI, the client area's size, then the last length option's rectangle,
// whose frame corner is added before scaling; at the DPIs where twips do not
// divide evenly (96 and 192 are checked on every control by the window tests).
// MulDiv rounds halves away from zero: 4455 twips at 144 DPI are 445.5 pixels.
using Row = std::array<int, 7>;
constexpr Row kRows[] = {{120, 371, 224, 20, 170, 171, 191}, {144, 446, 269, 24, 204, 206, 230}};

TEST(TwipsToPixels, ClientAreaAndAnOptionInTheFrameAtEachDpi) {
    for (const Row& row : kRows) {
        const UINT dpi = row[0];
        const RECT r = toPixels(layout::kOption4, dpi, {layout::kFrame1.left, layout::kFrame1.top});
        EXPECT_EQ(
            (Row{row[0], toPixels(layout::kClientArea.width, dpi),
                 toPixels(layout::kClientArea.height, dpi), r.left, r.top, r.right, r.bottom}),
            row);
    }
}

}  // namespace
}  // namespace quillop::ui
