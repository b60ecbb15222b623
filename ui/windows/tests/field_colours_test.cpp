#include "field_colours.h"

#include <gtest/gtest.h>

namespace quillop::ui {
namespace {

// With the setting given instead of read: the text colour and the system
// colour behind the field, whose own brush must paint what the text sits on.
TEST(FieldColours, GreenOnTheFrameColourUnlessHighContrastIsOn) {
    const struct {
        bool highContrast;
        COLORREF text;
        int background;
    } rows[] = {{false, RGB(0, 255, 0), COLOR_WINDOWFRAME},
                {true, GetSysColor(COLOR_WINDOWTEXT), COLOR_WINDOW}};
    for (const auto& row : rows) {
        const FieldColours colours = fieldColours(row.highContrast);
        LOGBRUSH brush{};
        GetObjectW(colours.brush, sizeof brush, &brush);
        EXPECT_EQ(colours.text, row.text) << row.highContrast;
        EXPECT_EQ(colours.background, GetSysColor(row.background)) << row.highContrast;
        EXPECT_EQ(brush.lbColor, colours.background) << row.highContrast;
    }
}

}  // namespace
}  // namespace quillop::ui
