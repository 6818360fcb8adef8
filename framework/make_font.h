// The character height that make_font asks for (private to the framework and
// its tests).
#pragma once

// Negative: names the character height, not the cell height.
int font_height(int points, int pixels_per_inch);
