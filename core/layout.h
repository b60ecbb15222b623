#pragma once

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

// The controls that take the keyboard focus, in tab order; Command1 has it at start.
enum class Control { Command1, Text1, Option1, Option2, Text2, Check1, Option3, Option4, Command2 };
inline constexpr Control kTabOrder[] = {Control::Command1, Control::Text1,   Control::Option1,
                                        Control::Option2,  Control::Text2,   Control::Check1,
                                        Control::Option3,  Control::Option4, Control::Command2};

}  // namespace quillop::layout
