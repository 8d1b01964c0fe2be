// Measuring and emitting any text with the help line's rules; the help-line operations are
// these applied to HelpLine. Internal to text/ and its tests.
#pragma once

#include <cstdint>

#include "text/text.h"

// Text is read up to its terminating NUL and never beyond this many characters.
inline constexpr int MaxTextLength = 255;

// Sum of the characters' advance widths.
std::int32_t textWidth(const BitmapFont& font, const char* text);

// Sets the cursor to (x, 2) and emits every character as one textured quad, all in one
// glBegin(GL_QUADS) ... glEnd(), also when the text is empty.
void emitTextQuads(BitmapFont& font, const char* text, std::int32_t x);
