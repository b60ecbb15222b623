#include "fonts.h"

#include <algorithm>
#include <cwchar>

#include "dpi.h"
#include "layout.h"
#include "scale.h"
#include "texts.h"
#include "wide_string.h"

namespace quillop::ui {

namespace {

// 8.25 pt is 825 hundredths of a point, 72 points to the inch.
constexpr int kCaptionCentipoints = 825;

// The two longest captions and the room they have: the frame's title between
// its corners, the symbolic option's beside its indicator (in twips).
struct Room {
    const char16_t* caption;
    layout::Twips control;
    int margin;
};
constexpr Room kLongestCaptions[] = {{texts::kFrame1, layout::kFrame1, 240},
                                     {texts::kOption2, layout::kOption2, 300}};

// How much narrower the font must be for both captions to fit; 1 if they do.
double fitFactor(HFONT font, UINT dpi, int& averageWidth) {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    averageWidth = metrics.tmAveCharWidth;
    double factor = 1.0;
    for (const Room& room : kLongestCaptions) {
        const std::wstring caption = files::wide(room.caption);
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size);
        const int available = toPixels(room.control.width - room.margin, dpi);
        if (size.cx > available) factor = std::min(factor, double(available) / size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return factor;
}

// Every Windows has Comic Sans MS, and the captions fit it; a stand-in face
// (under wine, say) may be wider and is narrowed just enough.
HFONT captionFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kCaptionCentipoints, static_cast<int>(dpi), 7200);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = RUSSIAN_CHARSET;
    std::wcscpy(font.lfFaceName, L"Comic Sans MS");
    HFONT created = CreateFontIndirectW(&font);
    int averageWidth = 0;
    const double factor = fitFactor(created, dpi, averageWidth);
    if (factor < 1.0 && averageWidth > 0) {
        font.lfWidth = static_cast<LONG>(averageWidth * factor);
        DeleteObject(created);
        created = CreateFontIndirectW(&font);
    }
    return created;
}

HFONT fieldFont(UINT dpi) {
    const LOGFONTW font = dpi::messageFont(dpi);
    return CreateFontIndirectW(&font);
}

}  // namespace

Fonts::Fonts(UINT dpi) : caption_(captionFont(dpi)), field_(fieldFont(dpi)) {}

Fonts::~Fonts() {
    DeleteObject(caption_);
    DeleteObject(field_);
}

}  // namespace quillop::ui
