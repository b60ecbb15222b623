#include "field_colours.h"

namespace quillop::ui {

FieldColours fieldColours(bool highContrast) {
    const int background = highContrast ? COLOR_WINDOW : COLOR_WINDOWFRAME;
    return {highContrast ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 255, 0), GetSysColor(background),
            GetSysColorBrush(background)};
}

bool highContrastOn() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace quillop::ui
