// The generator's pictures, each drawn from code.
#pragma once

#include "tools/resgen/canvas.h"
#include "tools/resgen/formats.h"

#include <string>

// The left hand, palm forward, thumb on the right: 256 x 256, alpha-edged.
Image8 drawHand();
// The title emblem with the name: 512 x 512, transparent outside the emblem. Empty when the
// font file cannot be read.
Image8 drawTitle(const std::string& boldFontPath, const std::string& regularFontPath);
// The help-line font from the font file at fontPath; imageWidth 0 when it cannot be read.
FontSheet renderFontSheet(const std::string& fontPath);
// Icon 129 at size 32 or 16: two overlapping hands, red and yellow, black outlines, white ground.
IndexedImage drawIcon(int size);
