#pragma once

#include <algorithm>

#include "texts.h"

// Where every control sits, in twips as the window was designed (1/1440 inch;
// 15 twips are one pixel at 96 DPI), from the client area's top-left corner,
// or from the frame's outer corner for the two length options. Both windows
// take their geometry from here; each turns twips into its own pixels.
namespace quillop::layout {

struct Twips {
    int left, top, width, height;
};

inline constexpr Twips kClientArea{0, 0, 4455, 2685};

inline constexpr Twips kCommand2{2400, 720, 1455, 375};
inline constexpr Twips kFrame1{120, 1560, 2055, 855};
inline constexpr Twips kOption4{120, 480, 1815, 255};  // inside Frame1
inline constexpr Twips kOption3{120, 240, 1815, 255};  // inside Frame1
inline constexpr Twips kCheck1{2400, 2160, 2055, 255};
inline constexpr Twips kText2{120, 1200, 2055, 285};
inline constexpr Twips kOption2{2400, 1680, 2055, 375};
inline constexpr Twips kOption1{2400, 1320, 1935, 255};
inline constexpr Twips kText1{120, 480, 2055, 285};
inline constexpr Twips kCommand1{2400, 360, 1455, 375};
inline constexpr Twips kLabel2{120, 960, 1215, 255};
inline constexpr Twips kLabel1{120, 240, 855, 255};

// The two longest captions and the room each has (twips) beside its frame's
// corners or its indicator in every toolkit: a stand-in face that is wider
// than Comic Sans MS is narrowed until both fit.
struct CaptionRoom {
    const char16_t* caption;
    int twips;
};
inline constexpr CaptionRoom kLongestCaptions[] = {{texts::kFrame1, kFrame1.width - 240},
                                                   {texts::kOption2, kOption2.width - 390}};

// The factor a caption font must be narrowed by (1: it fits already), given
// the twips a caption takes in it.
template <typename Measure>
double captionScale(Measure twipsOf) {
    double scale = 1.0;
    for (const auto& [caption, room] : kLongestCaptions)
        scale = std::min(scale, room / twipsOf(caption));
    return scale;
}

}  // namespace quillop::layout
