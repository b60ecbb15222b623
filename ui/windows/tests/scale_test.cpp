#include "scale.h"

#include <gtest/gtest.h>

namespace quillop::ui {
namespace {

struct Case {
    UINT dpi;
    int clientWidth, clientHeight;
    RECT option4;  // inside the frame: its corner is added before scaling
};

// MulDiv rounds halves away from zero: 4455 twips at 144 DPI are 445.5 pixels.
constexpr Case kCases[] = {
    {96, 297, 179, {16, 136, 137, 153}},
    {120, 371, 224, {20, 170, 171, 191}},
    {144, 446, 269, {24, 204, 206, 230}},
    {192, 594, 358, {32, 272, 274, 306}},
};

TEST(TwipsToPixels, ClientAreaAndAnOptionInTheFrameAtEachDpi) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(toPixels(layout::kClientArea.width, c.dpi), c.clientWidth);
        EXPECT_EQ(toPixels(layout::kClientArea.height, c.dpi), c.clientHeight);
        const RECT r =
            toPixels(layout::kOption4, c.dpi, {layout::kFrame1.left, layout::kFrame1.top});
        EXPECT_EQ(r.left, c.option4.left);
        EXPECT_EQ(r.top, c.option4.top);
        EXPECT_EQ(r.right, c.option4.right);
        EXPECT_EQ(r.bottom, c.option4.bottom);
    }
}

TEST(TwipsToPixels, EveryControlIsExactlyTwiceAsLargeAt192Dpi) {
    for (const layout::Twips& t :
         {layout::kClientArea, layout::kCommand1, layout::kCommand2, layout::kFrame1,
          layout::kOption1, layout::kOption2, layout::kOption3, layout::kOption4, layout::kCheck1,
          layout::kText1, layout::kText2, layout::kLabel1, layout::kLabel2}) {
        const RECT small = toPixels(t, 96), large = toPixels(t, 192);
        EXPECT_EQ(large.left, 2 * small.left);
        EXPECT_EQ(large.top, 2 * small.top);
        EXPECT_EQ(large.right, 2 * small.right);
        EXPECT_EQ(large.bottom, 2 * small.bottom);
    }
}

}  // namespace
}  // namespace quillop::ui
