// PNG previews of the generated pictures: at their real size, and as the scene shows them in
// the 800 x 600 window, composed on the CPU with the same sampling and blending the program
// asks of OpenGL.
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
