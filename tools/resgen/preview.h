// PNG previews of the generated pictures at their real size, on white: the hand, the title, the
// font sheet, the whole help line (composed with the blending the program uses for a 32-bit
// font) and the icons. The frames as the scene draws them come from velmory_glpreview.
#pragma once

#include <string>

#include "tools/resgen/canvas.h"
#include "tools/resgen/formats.h"

struct Previews {
    Image8 hand;
    Image8 title;
    FontSheet font;
    IndexedImage icon32;
    IndexedImage icon16;
};

// Writes the PNG files into directory; false when one cannot be written.
bool writePreviews(const Previews& p, const std::string& directory);
