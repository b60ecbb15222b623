#include "fonts.h"

#include <cwchar>

#include "dpi.h"
#include "layout.h"
#include "wide_string.h"

namespace quillop::ui {

namespace {

// 8.25 pt is 825 hundredths of a point, 72 points to the inch.
constexpr int kCaptionCentipoints = 825;

// How much narrower the font must be for the longest captions to fit; 1 if they do.
double fitFactor(HFONT font, UINT dpi, int& averageWidth) {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    averageWidth = metrics.tmAveCharWidth;
    const double factor = layout::captionScale([dc, dpi](const char16_t* caption) {
        const std::wstring text = files::wide(caption);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        return size.cx * 1440.0 / dpi;
    });
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
