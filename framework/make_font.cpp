// The one font of every control, sized in points for the screen.
#include "framework/make_font.h"

#include "framework/wk_app.h"

int font_height(int points, int pixels_per_inch) {
    return -MulDiv(points, pixels_per_inch, 72);
}

namespace {

int screen_pixels_per_inch() {
    const HWND desktop = GetDesktopWindow();
    const HDC dc = GetDC(desktop);
    const int pixels = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(desktop, dc);
    return pixels;
}

} // namespace

HFONT make_font(int points, int weight) {
    LOGFONTA description{};
    description.lfHeight = font_height(points, screen_pixels_per_inch());
    description.lfWeight = weight;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfQuality = PROOF_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(description.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    return CreateFontIndirectA(&description); // fonts live as long as the process
}
