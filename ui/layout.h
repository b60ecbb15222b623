#pragma once

#include <QRect>
#include <QSize>

// Where every control sits, in twips as the window was designed (15 twips are
// one device-independent pixel), from the client area's top-left corner, or
// from the frame's for the two length options.
namespace quillop::ui::layout {

struct Twips {
    int left, top, width, height;
};

constexpr QRect toPixels(Twips t) {
    return QRect(t.left / 15, t.top / 15, t.width / 15, t.height / 15);
}

inline constexpr QSize kClientArea(4455 / 15, 2685 / 15);

inline constexpr Twips kCommand2{2400, 720, 1455, 375};
inline constexpr Twips kFrame1{120, 1560, 2055, 855};
inline constexpr Twips kOption4{120, 480, 1815, 255};
inline constexpr Twips kOption3{120, 240, 1815, 255};
inline constexpr Twips kCheck1{2400, 2160, 2055, 255};
inline constexpr Twips kText2{120, 1200, 2055, 285};
inline constexpr Twips kOption2{2400, 1680, 2055, 375};
inline constexpr Twips kOption1{2400, 1320, 1935, 255};
inline constexpr Twips kText1{120, 480, 2055, 285};
inline constexpr Twips kCommand1{2400, 360, 1455, 375};
inline constexpr Twips kLabel2{120, 960, 1215, 255};
inline constexpr Twips kLabel1{120, 240, 855, 255};

}  // namespace quillop::ui::layout
